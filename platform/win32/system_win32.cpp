// The machine as the undo snapshots and the system guard see it: service
// start modes, the real Windows version, and a script run to its end.
#include "platform/win32/native_paths.h"
#include "platform/win32/win32_platform.h"

#include "platform/interpreter_arguments.h"
#include "win32/handles.h"
#include "win32/wide.h"

#include <vector>

namespace {

// SERVICE_CONFIG_DELAYED_AUTO_START_INFO (Windows Vista and later).
constexpr DWORD kDelayedAutoStartInfo = 3;
struct DelayedAutoStartInfo {
    BOOL delayed;
};

// Whether an automatic service starts delayed; false where Windows does not
// know the setting (it then fails the query).
bool delayedAutoStart(SC_HANDLE service) {
    DelayedAutoStartInfo info = {};
    DWORD needed = 0;
    return QueryServiceConfig2W(service, kDelayedAutoStartInfo, reinterpret_cast<BYTE*>(&info),
                                sizeof info, &needed) &&
           info.delayed;
}

// Disables a visible, enabled window of the thread and adds it to the list
// (a std::vector<HWND>), so that it can be enabled again. A callback of the
// system's calling convention, which a lambda is not on 32-bit Windows.
BOOL CALLBACK disableWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

} // namespace

ErrorCode Win32Platform::readServiceStartMode(const std::string& service, StartMode* mode) {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return GetLastError();
    ServiceHandle handle(OpenServiceW(manager.get(), widen(service).c_str(), SERVICE_QUERY_CONFIG));
    if (!handle)
        return GetLastError();
    DWORD needed = 0;
    QueryServiceConfigW(handle.get(), nullptr, 0, &needed);
    std::vector<unsigned char> buffer(needed ? needed : sizeof(QUERY_SERVICE_CONFIGW));
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (!QueryServiceConfigW(handle.get(), config, static_cast<DWORD>(buffer.size()), &needed))
        return GetLastError();
    switch (config->dwStartType) {
    case SERVICE_BOOT_START:
        *mode = StartMode::Boot;
        break;
    case SERVICE_SYSTEM_START:
        *mode = StartMode::System;
        break;
    case SERVICE_AUTO_START:
        *mode = delayedAutoStart(handle.get()) ? StartMode::DelayedAuto : StartMode::Auto;
        break;
    case SERVICE_DEMAND_START:
        *mode = StartMode::Demand;
        break;
    default:
        *mode = StartMode::Disabled;
    }
    return 0;
}

// The same native file that readFile reads: a 32-bit build on 64-bit Windows
// would otherwise be shown SysWOW64's file and record its attributes.
ErrorCode Win32Platform::fileAttributes(const std::string& path, std::uint32_t* attributes) {
    const DWORD found = GetFileAttributesW(nativeFilePath(widen(path)).c_str());
    if (found == INVALID_FILE_ATTRIBUTES)
        return GetLastError();
    *attributes = found & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    return 0;
}

WindowsVersion Win32Platform::windowsVersion() {
    // GetVersionEx answers with the version a compatibility mode pretends;
    // the kernel's own function does not.
    using GetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    const auto getVersion = reinterpret_cast<GetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!getVersion || getVersion(&info) != 0)
        GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info));
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
            info.wProductType != VER_NT_WORKSTATION};
}

ErrorCode Win32Platform::runScriptAndWait(const std::string& path, std::uint32_t* exitCode) {
    const std::wstring interpreter = commandInterpreterPath();
    // The same switches as every script; the outer quotes go and the path
    // keeps its own, blanks and all.
    std::wstring commandLine =
        L"\"" + interpreter + L"\" " + widen(interpreterArguments("\"\"" + path + "\"\""));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info = {};
    // In the script's own folder: nothing that lies in the program's current
    // directory runs in place of a tool the script calls.
    const std::wstring folder = widen(path.substr(0, path.rfind('\\')));
    if (!CreateProcessW(interpreter.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, folder.c_str(), &startup, &info))
        return GetLastError();
    CloseHandle(info.hThread);
    KernelHandle process(info.hProcess);

    // This thread's windows are painted meanwhile but take no input.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), disableWindow, reinterpret_cast<LPARAM>(&disabled));
    bool quit = false;
    WPARAM quitCode = 0;
    HANDLE handle = process.get();
    ErrorCode failed = 0;
    for (DWORD woke; (woke = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT)) !=
                     WAIT_OBJECT_0;) {
        // A wait that fails would fail again at once: stop rather than spin.
        if (woke == WAIT_FAILED) {
            failed = GetLastError();
            break;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    for (HWND window : disabled)
        EnableWindow(window, TRUE);
    if (quit)
        PostQuitMessage(static_cast<int>(quitCode));
    if (failed)
        return failed;
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    *exitCode = code;
    return 0;
}
