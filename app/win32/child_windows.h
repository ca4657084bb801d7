// Creates every control of the layout as a native child window of its
// container, in tab order, and routes their events to the main window.
#pragma once

#include "app/win32/win32_controls.h"

#include <windows.h>

#include <vector>

// Sent to the main window when the pointer moves over a control
// (wParam: the Control).
constexpr UINT kMsgControlMouseMove = WM_APP + 1;

// What the controls are made with: their fonts.
struct ControlResources {
    HFONT windowFont;
    HFONT linkFont;
};

// Every control but those in `later` (a frame with everything in it): what
// the first picture can do without.
void createChildWindows(Win32Controls& controls, const ControlResources& with,
                        const std::vector<Control>& later);
// The controls in `later`, each in its place in the tab order, in the state
// that the controls keep for them.
void createLaterControls(Win32Controls& controls, const ControlResources& with,
                         const std::vector<Control>& later);
