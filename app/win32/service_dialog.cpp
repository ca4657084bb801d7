#include "app/win32/service_dialog.h"

void addServiceMenuItem(HWND) {}
bool handleServiceMenuCommand(HWND, WPARAM, Form1&, Platform&) { return false; }
