// The machine: Windows directory, rights, services, message boxes, the shell.
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"
#include "win32/wide.h"

#include <shellapi.h>
#include <vector>

std::string Win32Platform::windowsDirectory() {
    wchar_t buffer[MAX_PATH];
    UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? narrow(std::wstring(buffer, n)) : std::string();
}

bool Win32Platform::isAdministrator() {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                  0, 0, 0, 0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member))
        member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

std::optional<StartMode> Win32Platform::serviceStartMode(const std::string& service) {
    std::optional<StartMode> mode;
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return mode;
    ServiceHandle handle(OpenServiceW(manager.get(), widen(service).c_str(), SERVICE_QUERY_CONFIG));
    if (handle) {
        DWORD needed = 0;
        QueryServiceConfigW(handle.get(), nullptr, 0, &needed);
        std::vector<unsigned char> buffer(needed ? needed : sizeof(QUERY_SERVICE_CONFIGW));
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
        if (QueryServiceConfigW(handle.get(), config, static_cast<DWORD>(buffer.size()), &needed)) {
            switch (config->dwStartType) {
            case SERVICE_BOOT_START:
                mode = StartMode::Boot;
                break;
            case SERVICE_SYSTEM_START:
                mode = StartMode::System;
                break;
            case SERVICE_AUTO_START:
                mode = StartMode::Auto;
                break;
            case SERVICE_DEMAND_START:
                mode = StartMode::Demand;
                break;
            default:
                mode = StartMode::Disabled;
            }
        }
    }
    return mode;
}

void Win32Platform::notify(const std::string& text) {
    MessageBoxW(owner_, widen(text).c_str(), L"提示", MB_OK);
}

bool Win32Platform::openUrl(const std::string& url) {
    HINSTANCE result =
        ShellExecuteW(owner_, L"open", widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
