// The about panel's link label.
#include "app/form1.h"

void Form1::Label9_Click() {}
