// The undo dialog, offered from the main window's system menu beside the
// per-service optimisation.
#pragma once

#include <windows.h>

class Platform;
class UserDialogs;

// Adds the item "撤销上一次更改..." to the window's system menu.
void addUndoMenuItem(HWND form);
// Handles WM_SYSCOMMAND for that item; false for any other command.
bool handleUndoMenuCommand(HWND form, WPARAM command, Platform& platform, UserDialogs& user);
