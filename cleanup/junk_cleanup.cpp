// Junk cleanup in a visible console.
#include "app/form1.h"

void Form1::lj_Click() {}
