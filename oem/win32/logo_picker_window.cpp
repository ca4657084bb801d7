#include "oem/win32/logo_picker_window.h"

void openLogoPicker(HWND, Controls&, Platform&) {}
