// The OEM logo picker window.
#pragma once

#include <windows.h>

class Controls;
class Platform;

// Shows the picker modeless, creating it when it is not open; a second call
// while it is open only brings it to the front. `mainControls` is the main
// window's controls, whose Image2 the picker reloads; it must outlive the
// picker. The picker has no owner, so closing the main window leaves it
// open; when the picker closes after the main window, it ends the message loop.
void openLogoPicker(HWND mainWindow, Controls& mainControls, Platform& platform);

// The open picker, or nullptr. The message loop hands it its messages first
// (IsDialogMessage) so that Tab moves between its controls.
HWND logoPickerWindow();
