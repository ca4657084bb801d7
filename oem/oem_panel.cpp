// The OEM panel and its current values.
#include "app/form1.h"

void Form1::oem_Click() { showPanel(false, false, true); }
