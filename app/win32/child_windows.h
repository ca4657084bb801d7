// Creates every control of the layout as a native child window of its
// container, in tab order, and routes their events to the main window.
#pragma once

#include "app/win32/win32_controls.h"

#include <windows.h>

// Sent to the main window when the pointer moves over a control
// (wParam: the Control).
constexpr UINT kMsgControlMouseMove = WM_APP + 1;

void createChildWindows(Win32Controls& controls, HFONT windowFont, HFONT linkFont);
