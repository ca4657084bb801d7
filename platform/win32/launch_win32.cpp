// Launching scripts through the native command interpreter, without waiting.
#include "platform/win32/native_paths.h"
#include "platform/win32/win32_platform.h"
#include "win32/wide.h"

ErrorCode Win32Platform::launchScript(const std::string& name, ShowState show) {
    const std::wstring interpreter = commandInterpreterPath();
    // /d: no AutoRun commands from the registry run before the script.
    std::wstring commandLine = L"\"" + interpreter + L"\" /d /c " + widen(name);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show == ShowState::Visible ? SW_SHOWNORMAL : SW_HIDE);
    PROCESS_INFORMATION info = {};
    // A hidden script gets a console of its own that is never shown; the
    // visible one a new console window in front.
    if (!CreateProcessW(interpreter.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &info))
        return GetLastError();
    CloseHandle(info.hThread);
    started_[name] = {KernelHandle(info.hProcess), info.dwProcessId};
    return 0;
}

bool Win32Platform::isScriptRunning(const std::string& name) {
    auto it = started_.find(name);
    return it != started_.end() && WaitForSingleObject(it->second.process.get(), 0) == WAIT_TIMEOUT;
}

namespace {

struct ConsoleSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ConsoleSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The console window of a process: attach to its console and ask for it.
HWND consoleWindowOf(DWORD processId) {
    using AttachConsoleFn = BOOL(WINAPI*)(DWORD);
    using GetConsoleWindowFn = HWND(WINAPI*)();
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto attach = reinterpret_cast<AttachConsoleFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "AttachConsole")));
    auto getWindow = reinterpret_cast<GetConsoleWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetConsoleWindow")));
    HWND window = nullptr;
    if (attach && getWindow && attach(processId)) {
        window = getWindow();
        FreeConsole();
    }
    if (!window) {
        ConsoleSearch search = {processId, nullptr};
        EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&search));
        window = search.found;
    }
    return window;
}

} // namespace

bool Win32Platform::bringScriptToFront(const std::string& name) {
    if (!isScriptRunning(name))
        return false;
    HWND console = consoleWindowOf(started_[name].processId);
    if (!console)
        return false;
    if (IsIconic(console))
        ShowWindow(console, SW_RESTORE);
    return SetForegroundWindow(console) != FALSE;
}
