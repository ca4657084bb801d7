// The three shell functions the program calls, found in shell32.dll when one
// is first needed. Imported, shell32 would be loaded before the window is
// created, bringing shlwapi and shcore along: a noticeable part of the time
// to a painted window, spent for a link click or a command line.
#pragma once

#include <windows.h>

// CommandLineToArgvW; nullptr when the shell cannot be loaded.
LPWSTR* shellCommandLineToArgv(LPCWSTR commandLine, int* count);
// SHGetFolderPathW (current path); E_FAIL when the shell cannot be loaded.
HRESULT shellFolderPath(int csidl, wchar_t (&path)[MAX_PATH]);
// ShellExecuteW with the "open" verb; false when it did not start.
bool shellOpen(HWND owner, LPCWSTR file);
