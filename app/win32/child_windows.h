// Creates every control of the layout as a native child window of its
// container, in tab order, and routes their events to the main window.
#pragma once

#include "app/win32/win32_controls.h"
#include "art/win32/art_in_advance.h"

#include <windows.h>

#include <vector>

// Sent to the main window when the pointer moves over a control
// (wParam: the Control).
constexpr UINT kMsgControlMouseMove = WM_APP + 1;

// What the first picture can do without: the contents of some frames (which
// are created empty) and some controls themselves.
struct LaterControls {
    std::vector<Control> frameContents;
    std::vector<Control> controls;
};

// What the controls are made with: their fonts and pictures.
struct ControlResources {
    HFONT windowFont;
    HFONT linkFont;
    ArtInAdvance& art;
};

// Every control but those that `later` names.
void createChildWindows(Win32Controls& controls, const ControlResources& with,
                        const LaterControls& later);
// The controls that `later` names, each in its place in the tab order.
void createLaterControls(Win32Controls& controls, const ControlResources& with,
                         const LaterControls& later);
