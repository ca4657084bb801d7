// Which handler of the main window a click on a control runs.
#pragma once

#include "resources/form1_control.h"

class Form1;

// Runs the click handler of `c`; false when the control has none.
bool dispatchClick(Form1& form, Control c);
