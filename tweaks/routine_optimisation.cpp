// The click of "下一步" and the routine optimisation.
#include "app/form1.h"

void Form1::Command1_Click() {}
void Form1::morenyouhua() {}
