// File probe for the end-to-end tests: what another process of the same user
// can do to a file, asked the way such a process would ask. Prints one JSON
// object on stdout, each value the Win32 error code of one attempt (0: it
// worked, and what it did was undone at once):
//
//   file_probe <path>
//   {"read":0,"write":32,"delete":32,"rename":32,"replace":32,"append":32}
//
//   read     open for reading, sharing everything
//   write    open for writing, sharing everything (nothing is written)
//   delete   open with delete access, sharing everything
//   rename   move the file to <path>.probe (and back when that worked)
//   replace  move a file of our own over it (MOVEFILE_REPLACE_EXISTING); when
//            that worked the original content is written back
//   append   open for writing and append one byte (cut off again at once)
//
//   file_probe --hold <seconds> <path>
//   {"held":0}
//
// keeps the file open for reading, sharing only reading (as a picture viewer
// might), for that many seconds; "held" is the error code of the open.
//
// Exit code 0 when the file exists, 1 on a usage error, 2 when it is missing.
// Built as a 32-bit exe and run on 64-bit Windows, it still looks at the native
// system32, not at SysWOW64.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

DWORD tryOpen(const std::wstring& path, DWORD access) {
    HANDLE h = CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(h);
    return 0;
}

DWORD tryRename(const std::wstring& path) {
    const std::wstring moved = path + L".probe";
    if (!MoveFileExW(path.c_str(), moved.c_str(), 0))
        return GetLastError();
    MoveFileExW(moved.c_str(), path.c_str(), 0);
    return 0;
}

std::string readAll(const std::wstring& path, bool* ok) {
    std::string bytes;
    *ok = false;
    HANDLE h =
        CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(h);
    *ok = true;
    return bytes;
}

bool writeAll(const std::wstring& path, const std::string& bytes, DWORD disposition) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

DWORD tryReplace(const std::wstring& path) {
    bool readable = false;
    const std::string original = readAll(path, &readable);
    const std::wstring ours = path + L".other";
    if (!writeAll(ours, "rem replaced\r\n", CREATE_ALWAYS))
        return GetLastError();
    if (!MoveFileExW(ours.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = GetLastError();
        DeleteFileW(ours.c_str());
        return error;
    }
    if (readable)
        writeAll(path, original, TRUNCATE_EXISTING);
    return 0;
}

DWORD tryAppend(const std::wstring& path) {
    HANDLE h =
        CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError();
    LARGE_INTEGER end = {};
    DWORD error = 0;
    DWORD written = 0;
    if (!SetFilePointerEx(h, end, &end, FILE_END) || !WriteFile(h, " ", 1, &written, nullptr)) {
        error = GetLastError();
    } else {
        SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
        SetEndOfFile(h);
    }
    CloseHandle(h);
    return error;
}

int hold(const std::wstring& path, int seconds) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    std::printf("{\"held\":%lu}\n", h == INVALID_HANDLE_VALUE ? GetLastError() : 0ul);
    std::fflush(stdout);
    if (h == INVALID_HANDLE_VALUE)
        return 2;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseHandle(h);
    return 0;
}

// A 32-bit process on 64-bit Windows sees SysWOW64 as system32 unless it
// turns that off for its thread.
void seeNativeSystemFolder() {
    using DisableFn = BOOL(WINAPI*)(PVOID*);
    const auto disable = reinterpret_cast<DisableFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "Wow64DisableWow64FsRedirection")));
    PVOID old = nullptr;
    if (disable)
        disable(&old);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    seeNativeSystemFolder();
    if (argc == 4 && std::wstring(argv[1]) == L"--hold")
        return hold(argv[3], _wtoi(argv[2]));
    if (argc != 2) {
        std::fputs("usage: file_probe <path> | file_probe --hold <seconds> <path>\n", stderr);
        return 1;
    }
    const std::wstring path = argv[1];
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("{\"error\":\"missing\"}\n");
        return 2;
    }
    const unsigned long read = tryOpen(path, GENERIC_READ);
    const unsigned long write = tryOpen(path, GENERIC_WRITE);
    const unsigned long del = tryOpen(path, DELETE);
    const unsigned long rename = tryRename(path);
    const unsigned long replace = tryReplace(path);
    const unsigned long append = tryAppend(path);
    std::printf("{\"read\":%lu,\"write\":%lu,\"delete\":%lu,\"rename\":%lu,\"replace\":%lu,"
                "\"append\":%lu}\n",
                read, write, del, rename, replace, append);
    std::fflush(stdout);
    return 0;
}
