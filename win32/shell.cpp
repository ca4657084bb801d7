#include "win32/shell.h"

#include "win32/system_folder.h"

#include <string>

namespace {

// shell32 from the system folder by its full path, never a file of that
// name beside the program (which is often a download folder).
HMODULE shell32() {
    static HMODULE module = [] {
        const std::wstring folder = systemFolder();
        return folder.empty() ? HMODULE(nullptr)
                              : LoadLibraryW((folder + L"\\shell32.dll").c_str());
    }();
    return module;
}

template <typename Function> Function shellFunction(const char* name) {
    HMODULE module = shell32();
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

} // namespace

LPWSTR* shellCommandLineToArgv(LPCWSTR commandLine, int* count) {
    using Fn = LPWSTR*(WINAPI*)(LPCWSTR, int*);
    const Fn f = shellFunction<Fn>("CommandLineToArgvW");
    return f ? f(commandLine, count) : nullptr;
}

HRESULT shellFolderPath(int csidl, wchar_t (&path)[MAX_PATH]) {
    using Fn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    const Fn f = shellFunction<Fn>("SHGetFolderPathW");
    return f ? f(nullptr, csidl, nullptr, 0 /* SHGFP_TYPE_CURRENT */, path) : E_FAIL;
}

bool shellOpen(HWND owner, LPCWSTR file) {
    using Fn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const Fn f = shellFunction<Fn>("ShellExecuteW");
    return f &&
           reinterpret_cast<INT_PTR>(f(owner, L"open", file, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}
