// The OEM logo picker window.
#pragma once

#include <windows.h>

class Controls;
class Platform;

// Shows the picker modeless, creating it when it is not open; a second call
// while it is open only brings it to the front. `mainControls` is the main
// window's controls, whose Image2 the picker reloads; it must outlive the
// picker. The picker has no owner, so closing the main window leaves it
// open; it counts among the top windows, the last of which ends the program.
void openLogoPicker(HWND mainWindow, Controls& mainControls, Platform& platform);
