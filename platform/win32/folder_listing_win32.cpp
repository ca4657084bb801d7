// What a preview reads: a folder's entries and the process's environment.
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"
#include "win32/wide.h"

std::vector<FolderEntry> Win32Platform::listFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((widen(folder) + L"\\*").c_str(), &found));
    if (!search)
        return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        FolderEntry entry;
        entry.name = narrow(name);
        entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        entry.attributes = found.dwFileAttributes;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search.get(), &found));
    return entries;
}

std::optional<std::string> Win32Platform::environmentVariable(const std::string& name) {
    const std::wstring wideName = widen(name);
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD n =
            GetEnvironmentVariableW(wideName.c_str(), &value[0], static_cast<DWORD>(value.size()));
        if (n == 0)
            return std::nullopt;
        if (n < value.size())
            return narrow(value.substr(0, n));
        value.resize(n);
    }
}
