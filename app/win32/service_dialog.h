// The per-service optimisation dialog, offered from the main window's system menu.
#pragma once

#include <windows.h>

class Form1;
class Platform;

// Adds the item "详细服务优化..." to the window's system menu.
void addServiceMenuItem(HWND form);
// Handles WM_SYSCOMMAND for that item; false for any other command.
bool handleServiceMenuCommand(HWND form, WPARAM command, Form1& logic, Platform& platform);
