// Applying the OEM information.
#include "app/form1.h"

void Form1::Command6_Click() {}
void Form1::Command4_Click() { ui_.showLogoPicker(); }
