// Console reader for the end-to-end tests. Runs under the same Wine prefix as
// the program and prints, as one JSON object in ASCII on stdout, the consoles of
// the command interpreters that a program started:
//
//   console_text <parent exe name>
//   {"consoles":[{"pid":N,"hwnd":H,"lines":["...", ...]}, ...]}
//
// "lines" are the screen buffer's rows from the top to the cursor, trailing
// blanks removed; "hwnd" is the console's window. Exit code 0 when at least
// one console was read, 2 when the program has no interpreter running, 1 on a
// usage error.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// A JSON string in ASCII alone: every other UTF-16 unit as \uXXXX, so that the
// answer reads the same whatever code page the caller decodes it with.
std::string quote(const std::wstring& s) {
    std::string out = "\"";
    for (wchar_t ch : s) {
        if (ch == L'"' || ch == L'\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x20 || ch > 0x7E) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(ch));
            out += buf;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out + "\"";
}

// The identifiers of the cmd.exe processes whose parent is named `parent`.
std::vector<DWORD> interpretersOf(const wchar_t* parent) {
    std::vector<PROCESSENTRY32W> all;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return {};
    PROCESSENTRY32W pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe))
        all.push_back(pe);
    CloseHandle(snap);
    std::vector<DWORD> found;
    for (const PROCESSENTRY32W& child : all) {
        if (_wcsicmp(child.szExeFile, L"cmd.exe") != 0)
            continue;
        for (const PROCESSENTRY32W& p : all)
            if (p.th32ProcessID == child.th32ParentProcessID && _wcsicmp(p.szExeFile, parent) == 0)
                found.push_back(child.th32ProcessID);
    }
    return found;
}

// Attaches to the console of `pid` and reads it; false when it has none.
bool readConsole(DWORD pid, std::string& json) {
    FreeConsole();
    if (!AttachConsole(pid))
        return false;
    HANDLE con =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (con == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(con, &info)) {
        FreeConsole();
        return false;
    }
    json += "{\"pid\":" + std::to_string(pid) +
            ",\"hwnd\":" + std::to_string(reinterpret_cast<ULONG_PTR>(GetConsoleWindow())) +
            ",\"lines\":[";
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
        std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
        DWORD got = 0;
        ReadConsoleOutputCharacterW(con, &row[0], static_cast<DWORD>(row.size()), COORD{0, y},
                                    &got);
        row.resize(got);
        while (!row.empty() && row.back() == L' ')
            row.pop_back();
        json += (y ? "," : "") + quote(row);
    }
    json += "]}";
    CloseHandle(con);
    FreeConsole();
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Keep the caller's stdout: attaching to another console must not redirect it.
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (argc != 2) {
        std::fputs("usage: console_text <parent exe name>\n", stderr);
        return 1;
    }
    std::string json = "{\"consoles\":[";
    int read = 0;
    for (DWORD pid : interpretersOf(argv[1])) {
        std::string one;
        if (readConsole(pid, one))
            json += (read++ ? "," : "") + one;
    }
    json += "]}\n";
    DWORD written = 0;
    WriteFile(out, json.data(), static_cast<DWORD>(json.size()), &written, nullptr);
    return read ? 0 : 2;
}
