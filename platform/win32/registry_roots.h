// The root keys by the names the program writes them in ("HKEY_CLASSES_ROOT",
// "HKCR", ...), and full key names split into root and path.
#pragma once

#include <string>
#include <windows.h>

// The root of that name (any letter case), or nullptr.
HKEY registryRoot(const std::wstring& name);

// "ROOT\path\of\key" into its root and path ("" for the root itself); false
// for an unknown root.
bool splitRegistryKey(const std::wstring& fullKey, HKEY* root, std::wstring* path);
