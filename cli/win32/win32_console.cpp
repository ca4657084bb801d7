// The console or redirected output of a run from the command line.
#include "cli/win32/win32_console.h"

#include "win32/wide.h"

namespace {

// AttachConsole exists on XP; it is looked up all the same, so that the
// import list stays what every supported system has.
bool attachToParentConsole() {
    using AttachConsoleFn = BOOL(WINAPI*)(DWORD);
    auto attach = reinterpret_cast<AttachConsoleFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AttachConsole")));
    const DWORD parentProcess = static_cast<DWORD>(-1); // ATTACH_PARENT_PROCESS
    return attach && attach(parentProcess);
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != FALSE;
}

// Text for a file or pipe: code page 936, like every text file the program
// writes; a character it cannot hold becomes a question mark.
std::string gbk(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    int n = WideCharToMultiByte(936, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, 0, text.data(), size, &out[0], n, nullptr, nullptr);
    return out;
}

} // namespace

bool Win32Console::writeOutput(const std::string& text) {
    if (!checked_) {
        checked_ = true;
        // Redirected to a file or a pipe: the handle came with the process.
        HANDLE standard = GetStdHandle(STD_OUTPUT_HANDLE);
        if (standard && standard != INVALID_HANDLE_VALUE &&
            GetFileType(standard) != FILE_TYPE_UNKNOWN) {
            handle_ = standard;
            console_ = isConsole(standard);
        } else if (attachToParentConsole()) {
            // A GUI program gets no console handles of its own.
            HANDLE console =
                CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            if (console != INVALID_HANDLE_VALUE) {
                handle_ = console;
                console_ = true;
            }
        }
    }
    if (!handle_)
        return false;
    const std::wstring wide = widen(text);
    DWORD written = 0;
    if (console_)
        return WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written,
                             nullptr) != FALSE;
    const std::string bytes = gbk(wide);
    return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) !=
           FALSE;
}

void Win32Console::notify(const std::string& text) {
    MessageBoxW(nullptr, widen(text).c_str(), L"提示", MB_OK);
}
