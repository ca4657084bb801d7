// Creates every control of the layout as a native child window of its
// container, in tab order, and routes their events to the main window.
#pragma once

#include "app/win32/win32_controls.h"

#include <windows.h>

#include <vector>

// Sent to the main window when the pointer moves over a control
// (wParam: the Control).
constexpr UINT kMsgControlMouseMove = WM_APP + 1;

// Every control but those inside the frames in `later`, which are created
// empty; createFrameContents fills one of them.
void createChildWindows(Win32Controls& controls, HFONT windowFont, HFONT linkFont,
                        const std::vector<Control>& later);
void createFrameContents(Win32Controls& controls, Control frame, HFONT windowFont, HFONT linkFont);
