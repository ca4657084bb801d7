// Files no other process can spoil: scripts guarded from their write until
// their interpreter has ended.
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace {

// Writes all bytes at the file's position; the error, 0 when all went.
ErrorCode writeAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return GetLastError();
    return written == bytes.size() ? 0 : ERROR_HANDLE_DISK_FULL;
}

// Closes a file, keeping the first error: a close can still fail to write.
ErrorCode closeFile(FileHandle& file, ErrorCode error) {
    if (!CloseHandle(file.release()) && error == 0)
        error = GetLastError();
    return error;
}

bool readsAs(HANDLE file, const std::string& expected) {
    std::string content;
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
        if (content.size() > expected.size())
            return false;
    }
    return content == expected;
}

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace

// The guard is a handle that reads and lets others read, but denies writing
// and deleting: the command interpreter can still open the script to read it
// (Wine's shares reading, writing and deleting; any reader shares reading),
// while no process can write, rename, replace or delete it. A handle that
// denies writing can be opened only once the writer has closed; what another
// process did to the file in that instant shows when the guard finds another
// file or other bytes.
ErrorCode Win32Platform::writeScript(const std::string& name, const std::string& bytes) {
    guards_.erase(name); // an earlier write that was never launched
    auto earlier = started_.find(name);
    if (earlier != started_.end() && !isScriptRunning(name))
        earlier->second.guard.reset(); // an earlier run that has ended
    const std::wstring path = widen(name);
    // A file of that name that someone put there could be a link to another
    // file or be open in another process: it goes, and the script is new.
    if (!DeleteFileW(path.c_str())) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return error;
    }
    FileHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!writer)
        return GetLastError();
    BY_HANDLE_FILE_INFORMATION written = {};
    ErrorCode error = writeAll(writer.get(), bytes);
    if (error == 0 && !GetFileInformationByHandle(writer.get(), &written))
        error = GetLastError();
    error = closeFile(writer, error);
    if (error != 0) {
        DeleteFileW(path.c_str()); // never launched: no part of a script stays
        return error;
    }

    Guard guard;
    guard.file.reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!guard.file)
        return GetLastError();
    BY_HANDLE_FILE_INFORMATION held = {};
    if (!GetFileInformationByHandle(guard.file.get(), &held) || !sameFile(written, held) ||
        !readsAs(guard.file.get(), bytes))
        return kErrorFileChanged;
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    guard.path = n > 0 && n < MAX_PATH ? std::wstring(full, n) : path;
    guards_[name] = std::move(guard);
    return 0;
}
