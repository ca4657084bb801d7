#include "platform/win32/native_paths.h"

#include "win32/system_folder.h"

#include <cwctype>

#ifndef KEY_WOW64_64KEY
#define KEY_WOW64_64KEY 0x0100
#endif

namespace {

std::wstring windowsDir() {
    wchar_t buffer[MAX_PATH];
    UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring(L"C:\\WINDOWS");
}

bool startsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towlower(text[i]) != std::towlower(prefix[i]))
            return false;
    return true;
}

} // namespace

bool isWow64Process() {
    // IsWow64Process is missing from the first releases of XP.
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    static const auto fn = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return fn && fn(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring nativeFilePath(const std::wstring& path) {
    if (!isWow64Process())
        return path;
    const std::wstring system32 = windowsDir() + L"\\system32\\";
    if (!startsWithNoCase(path, system32))
        return path;
    return windowsDir() + L"\\Sysnative\\" + path.substr(system32.size());
}

std::wstring commandInterpreterPath() {
    if (isWow64Process())
        return windowsDir() + L"\\Sysnative\\cmd.exe";
    const std::wstring dir = systemFolder();
    return (dir.empty() ? windowsDir() + L"\\system32" : dir) + L"\\cmd.exe";
}

REGSAM nativeRegistryView() {
    return isWow64Process() ? KEY_WOW64_64KEY : 0;
}
