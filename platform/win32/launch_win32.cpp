// Launching scripts through the native command interpreter, without waiting.
#include "platform/interpreter_arguments.h"
#include "platform/win32/native_paths.h"
#include "platform/win32/win32_platform.h"
#include "win32/wide.h"

ErrorCode Win32Platform::launchScript(const std::string& name, ShowState show) {
    const std::wstring interpreter = commandInterpreterPath();
    std::wstring commandLine = L"\"" + interpreter + L"\" " + widen(interpreterArguments(name));

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show == ShowState::Visible ? SW_SHOWNORMAL : SW_HIDE);
    PROCESS_INFORMATION info = {};
    // A hidden script gets a console of its own that is never shown; the
    // visible one a new console window in front.
    if (!CreateProcessW(interpreter.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &info)) {
        const DWORD error = GetLastError();
        guards_.erase(name);
        return error;
    }
    CloseHandle(info.hThread);
    // The change claim lasts until the script has ended, also when this
    // program ends first.
    HANDLE claim = nullptr;
    if (change_)
        DuplicateHandle(GetCurrentProcess(), change_.get(), info.hProcess, &claim, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    Started started;
    started.process.reset(info.hProcess);
    started.processId = info.dwProcessId;
    handOverGuard(name, started);
    started_[name] = std::move(started);
    return 0;
}

// The interpreter itself holds the script's guard from now on, so that the
// guard lasts exactly as long as the script runs, also when this program ends
// first. Where that cannot be done this program keeps it until the end.
void Win32Platform::handOverGuard(const std::string& name, Started& started) {
    auto guard = guards_.find(name);
    if (guard == guards_.end())
        return;
    started.path = guard->second.path;
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), guard->second.file.get(), started.process.get(),
                         &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        started.guard = std::move(guard->second.file);
    guards_.erase(guard);
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

std::vector<std::string> Win32Platform::finishedScripts() {
    std::vector<std::string> names;
    for (auto it = started_.begin(); it != started_.end();) {
        Started& script = it->second;
        if (WaitForSingleObject(script.process.get(), 0) == WAIT_TIMEOUT) {
            ++it;
            continue;
        }
        script.guard.reset();
        // While guarded, the script's own last line could not delete it.
        if (!script.path.empty())
            DeleteFileW(script.path.c_str());
        names.push_back(it->first);
        it = started_.erase(it);
    }
    return names;
}

std::string Win32Platform::currentDirectory() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    const DWORD n = size ? GetCurrentDirectoryW(size, &folder[0]) : 0;
    // A folder that changed in between and no longer fits counts as unknown.
    folder.resize(n < size ? n : 0);
    return narrow(folder);
}
