// Files: whole-file reads and writes in one call each.
#include "platform/win32/grow_buffer.h"
#include "platform/win32/native_paths.h"
#include "platform/win32/plain_entries.h"
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace {

// Writes all bytes to an open file (and, with `toDisk`, through the cache to
// the disk) and closes it: the first failure on the way.
ErrorCode writeAndClose(FileHandle& f, const std::string& bytes, bool toDisk) {
    DWORD written = 0;
    ErrorCode error = 0;
    if (!WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        error = GetLastError();
    else if (written != bytes.size())
        error = ERROR_HANDLE_DISK_FULL;
    else if (toDisk && !FlushFileBuffers(f.get()))
        error = GetLastError();
    if (!CloseHandle(f.release()) && error == 0)
        error = GetLastError();
    return error;
}

ErrorCode writeWith(const std::string& path, const std::string& bytes, DWORD disposition,
                    bool toDisk = false) {
    FileHandle f(CreateFileW(nativeFilePath(widen(path)).c_str(), GENERIC_WRITE, 0, nullptr,
                             disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f)
        return GetLastError();
    return writeAndClose(f, bytes, toDisk);
}

// Opens `path` for writing from its start without writing through it: a
// name that is a link leading elsewhere, or a second name of another file,
// is removed (the name only) and the file made anew. It is opened before it
// is emptied, so that a file with a second name keeps its bytes.
ErrorCode openOwnFile(const std::wstring& path, FileHandle* f) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        f->reset(CreateFileW(path.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                             nullptr));
        if (!*f)
            return GetLastError();
        const ErrorCode plain = checkPlainEntry(f->get(), path, EntryKind::File);
        if (plain == 0)
            return SetEndOfFile(f->get()) ? 0 : GetLastError();
        f->reset();
        if (plain != kErrorNotPlainEntry)
            return plain;
        if (!DeleteFileW(path.c_str()))
            return GetLastError();
    }
    return kErrorNotPlainEntry;
}

} // namespace

ErrorCode Win32Platform::writeFile(const std::string& path, const std::string& bytes) {
    FileHandle f;
    if (ErrorCode e = openOwnFile(nativeFilePath(widen(path)), &f))
        return e;
    return writeAndClose(f, bytes, false);
}

ErrorCode Win32Platform::writeFileToDisk(const std::string& path, const std::string& bytes) {
    return writeWith(path, bytes, CREATE_ALWAYS, true);
}

ErrorCode Win32Platform::createNewFile(const std::string& path, const std::string& bytes) {
    return writeWith(path, bytes, CREATE_NEW);
}

std::optional<std::string> Win32Platform::readFile(const std::string& path, ErrorCode* error) {
    FileHandle f(CreateFileW(nativeFilePath(widen(path)).c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) {
        if (error)
            *error = GetLastError();
        return std::nullopt;
    }
    std::string content;
    char buffer[16384];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(f.get(), buffer, sizeof buffer, &got, nullptr)) {
            if (error)
                *error = GetLastError();
            return std::nullopt;
        }
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    return content;
}

bool Win32Platform::fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(nativeFilePath(widen(path)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32Platform::shortPath(const std::string& path) {
    const std::wstring wide = widen(path);
    const std::optional<std::wstring> shortName = callWithGrowingBuffer(
        [&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(wide.c_str(), buffer, size); });
    if (!shortName)
        return std::nullopt;
    return narrow(*shortName);
}

bool Win32Platform::listsFile(const std::string& folder, const std::string& name) {
    std::wstring pattern = nativeFilePath(widen(folder));
    if (!pattern.empty() && pattern.back() != L'\\')
        pattern += L'\\';
    const std::wstring wanted = widen(name);
    pattern += wanted;
    // The name as a pattern finds the entries whose long or short name
    // matches it in any letter case; only the exact long name counts.
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search)
        return false;
    const DWORD unlisted = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if (wanted == found.cFileName && !(found.dwFileAttributes & unlisted))
            return true;
    } while (FindNextFileW(search.get(), &found));
    return false;
}

// Held without sharing its writing or deletion: until releaseHeldFiles nobody
// can change, rename or replace what was read, nor the folder it lies in.
std::optional<std::string> Win32Platform::holdFile(const std::string& path, ErrorCode* error) {
    const std::wstring wide = nativeFilePath(widen(path));
    FileHandle f(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    ErrorCode e = f ? checkPlainEntry(f.get(), wide, EntryKind::File) : GetLastError();
    std::string content;
    char buffer[16384];
    for (DWORD got = 1; e == 0 && got > 0;) {
        if (!ReadFile(f.get(), buffer, sizeof buffer, &got, nullptr))
            e = GetLastError();
        else
            content.append(buffer, got);
    }
    if (e) {
        if (error)
            *error = e;
        return std::nullopt;
    }
    held_.push_back(std::move(f));
    return content;
}

void Win32Platform::releaseHeldFiles() {
    held_.clear();
}
