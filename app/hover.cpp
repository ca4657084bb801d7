// Descriptions shown when the pointer moves over an option.
#include "app/form1.h"

void Form1::MouseMove(Control) {}
