// Files no other process can spoil: a file replaced in one step, and scripts
// guarded from their write until their interpreter has ended.
#include "platform/win32/native_paths.h"
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

std::wstring hex(unsigned long value) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

// A new file beside `target` under a name that no file has: the target's name
// with ".<process>-<n>.tmp" added.
FileHandle createBeside(const std::wstring& target, DWORD attributes, std::wstring* name,
                        ErrorCode* error) {
    static unsigned long counter = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        *name = target + L"." + hex(GetCurrentProcessId()) + L"-" + hex(++counter) + L".tmp";
        FileHandle file(
            CreateFileW(name->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
        *error = file ? 0 : GetLastError();
        if (*error != ERROR_FILE_EXISTS)
            return file;
    }
    return FileHandle();
}

// The attributes a replacing file takes over from the file it replaces.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace

// Writing in place truncates first: a full disk or an I/O error would leave a
// part of the file, and a hidden or system file cannot be recreated with
// plain attributes at all. A new file renamed over the old one has neither
// problem.
ErrorCode Win32Platform::replaceFile(const std::string& path, const std::string& bytes) {
    const std::wstring target = nativeFilePath(widen(path));
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return error;
        attributes = FILE_ATTRIBUTE_NORMAL;
    } else if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        // Read-only means: not to be changed; the rename would override that.
        return ERROR_ACCESS_DENIED;
    } else {
        attributes &= kKeptAttributes;
        if (attributes == 0)
            attributes = FILE_ATTRIBUTE_NORMAL;
    }

    std::wstring temporary;
    ErrorCode error = 0;
    FileHandle file = createBeside(target, attributes, &temporary, &error);
    if (!file)
        return error;
    error = writeAll(file.get(), bytes);
    // On disk before the rename, so that a crash leaves the old or the new file.
    if (error == 0 && !FlushFileBuffers(file.get()))
        error = GetLastError();
    error = closeFile(file, error);
    if (error == 0 && !MoveFileExW(temporary.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != 0)
        DeleteFileW(temporary.c_str());
    return error;
}

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
