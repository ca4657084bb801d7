// What a run from the command line needs of the machine: waiting for its
// scripts and the shared data folder where its log lies.
#include "platform/win32/plain_entries.h"
#include "platform/win32/win32_platform.h"
#include "win32/shell.h"
#include "win32/wide.h"

#include <shlobj.h>

bool Win32Platform::waitForScript(const std::string& name) {
    auto it = started_.find(name);
    if (it == started_.end())
        return false;
    return WaitForSingleObject(it->second.process.get(), INFINITE) == WAIT_OBJECT_0;
}

std::string Win32Platform::commonDataFolder() {
    wchar_t buffer[MAX_PATH];
    if (FAILED(shellFolderPath(CSIDL_COMMON_APPDATA, buffer)))
        return std::string();
    return narrow(buffer);
}

ErrorCode Win32Platform::createFolder(const std::string& path) {
    const std::wstring wide = widen(path);
    // The folders below the root, one level at a time: "C:\" and
    // "\\server\share\" are never created.
    size_t from = 0;
    if (wide.compare(0, 2, L"\\\\") == 0) {
        from = wide.find(L'\\', 2);
        from = from == std::wstring::npos ? wide.size() : wide.find(L'\\', from + 1);
    } else if (wide.size() >= 2 && wide[1] == L':') {
        from = 2;
    }
    while (from != std::wstring::npos && from < wide.size()) {
        size_t end = wide.find(L'\\', from + 1);
        const std::wstring level = wide.substr(0, end);
        if (!level.empty() && level.back() != L'\\' && level.back() != L':' &&
            !CreateDirectoryW(level.c_str(), nullptr)) {
            const DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS)
                return error;
        }
        from = end;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError();
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? 0 : ERROR_ALREADY_EXISTS;
}

namespace {

// Appends to the file of that name, made when it is missing. A name that is
// a link or a second name of another file is removed first when `takeOver`
// (the name only, never what it leads to, and the file made anew), and
// refused otherwise: the bytes never go through it.
ErrorCode appendTo(const std::string& path, const std::string& bytes, bool takeOver) {
    const std::wstring wide = widen(path);
    FileHandle f;
    for (int attempt = 0; attempt < 2; ++attempt) {
        f.reset(CreateFileW(wide.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!f)
            return GetLastError();
        const ErrorCode plain = checkPlainEntry(f.get(), wide, EntryKind::File);
        if (plain == 0)
            break;
        f.reset();
        if (plain != kErrorNotPlainEntry || !takeOver)
            return plain;
        if (!DeleteFileW(wide.c_str()))
            return GetLastError();
    }
    if (!f)
        return kErrorNotPlainEntry;
    DWORD written = 0;
    if (!WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return GetLastError();
    return written == bytes.size() ? 0 : ERROR_HANDLE_DISK_FULL;
}

} // namespace

ErrorCode Win32Platform::appendFile(const std::string& path, const std::string& bytes) {
    return appendTo(path, bytes, true);
}

ErrorCode Win32Platform::appendPlainFile(const std::string& path, const std::string& bytes) {
    return appendTo(path, bytes, false);
}

LocalTime Win32Platform::localTime() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}
