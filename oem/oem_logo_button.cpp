// The button that opens the OEM logo picker.
#include "app/form1.h"

void Form1::Command4_Click() {
    ui_.showLogoPicker();
}
