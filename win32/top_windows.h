// The program's top-level windows: the message loop routes keyboard
// navigation to them, and the program ends when the last one is closed.
#pragma once

#include <windows.h>

void topWindowOpened(HWND window);
// Forgets the window; posts the quit message when it was the last one.
void topWindowClosed(HWND window);
int openTopWindowCount();

// IsDialogMessage for whichever of our windows the message belongs to.
bool routeDialogMessage(MSG* msg);
