// A stand-in for the service control tool in end-to-end tests. Wine's own sc
// has no "config" command, so the tests put this sc.exe into the program's
// working directory, where the command interpreter finds it first, and into
// the system folder, where the undo scripts call it by full path. Every call
// appends its command line (everything after the program name, leading blanks
// removed, inner and trailing blanks kept) as one UTF-8 line to sc_calls.log in
// the folder of this sc.exe, and exits with 0. While a file named sc_hold lies
// in that folder, each call waits after logging its line until the file is
// gone: a test can so keep a script in the middle of its run.
#include <windows.h>

#include <string>

namespace {

// The part of the command line after the program name.
const wchar_t* afterProgramName(const wchar_t* p) {
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') {
            ++p;
        }
        if (*p == L'"') {
            ++p;
        }
    } else {
        while (*p && *p != L' ' && *p != L'\t') {
            ++p;
        }
    }
    while (*p == L' ' || *p == L'\t') {
        ++p;
    }
    return p;
}

std::string toUtf8(const wchar_t* w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) {
        return {};
    }
    std::string s(static_cast<size_t>(n - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
    return s;
}

// A file beside this program.
std::wstring besideMe(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.rfind(L'\\') + 1) + name;
}

} // namespace

int wmain() {
    std::string line = toUtf8(afterProgramName(GetCommandLineW())) + "\n";
    HANDLE f = CreateFileW(besideMe(L"sc_calls.log").c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD written = 0;
    WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(f);
    const std::wstring hold = besideMe(L"sc_hold");
    while (GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES) {
        Sleep(100);
    }
    return 0;
}
