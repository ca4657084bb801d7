// The native system on 64-bit Windows. A 32-bit build there is redirected to
// SysWOW64 and the 32-bit registry view; the program must act on the real
// system32 and the 64-bit view instead. On 32-bit Windows nothing changes.
#pragma once

#include <string>
#include <windows.h>

// True for a 32-bit process on 64-bit Windows.
bool isWow64Process();

// A path under "<windows>\system32\" turned into "<windows>\Sysnative\" for a
// 32-bit process on 64-bit Windows; any other path unchanged.
std::wstring nativeFilePath(const std::wstring& path);

// The full path of the native command interpreter.
std::wstring commandInterpreterPath();

// The registry access flag that selects the native (64-bit) view.
REGSAM nativeRegistryView();
