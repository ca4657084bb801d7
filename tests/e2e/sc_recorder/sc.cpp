// A stand-in for the service control tool in end-to-end tests. Wine's own sc
// has no "config" command, so the tests put this sc.exe into the program's
// working directory, where the command interpreter finds it first, and into
// the system folder, where the undo scripts call it by full path. Every call
// appends its command line (everything after the program name, leading blanks
// removed, inner and trailing blanks kept) as one UTF-8 line to sc_calls.log in
// the folder of this sc.exe, and exits with 0. It also appends to
// sc_callers.log there what kind of process started it (the command
// interpreter of a script): "native", or "WOW64" for a 32-bit process on
// 64-bit Windows, or "unknown". While a file named sc_hold lies
// in that folder, each call waits after logging its line until the file is
// gone: a test can so keep a script in the middle of its run.
// "config NAME start= MODE" also sets the start mode through the service
// manager, as the real sc does, so that what the program reads back is what
// the scripts did; unless NAME is a line of sc_refuse in that folder: a test
// can so have an "sc config" that does not take.
#include <windows.h>

#include <tlhelp32.h>

#include <string>
#include <vector>

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

// The words of a command line split at blanks (sc's own arguments carry no quotes).
std::vector<std::wstring> words(const wchar_t* p) {
    std::vector<std::wstring> found;
    for (;;) {
        while (*p == L' ' || *p == L'\t')
            ++p;
        if (!*p)
            return found;
        const wchar_t* start = p;
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
        found.emplace_back(start, p);
    }
}

bool refused(const std::wstring& service) {
    HANDLE f = CreateFileW(besideMe(L"sc_refuse").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return false;
    }
    char buffer[4096];
    DWORD read = 0;
    ReadFile(f, buffer, sizeof buffer - 1, &read, nullptr);
    CloseHandle(f);
    const std::string text(buffer, read);
    const std::string name(service.begin(), service.end()); // service names are ASCII
    std::string::size_type from = 0;
    while (from < text.size()) {
        std::string::size_type end = text.find('\n', from);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (lstrcmpiA(line.c_str(), name.c_str()) == 0) {
            return true;
        }
        from = end + 1;
    }
    return false;
}

void applyStartMode(const std::vector<std::wstring>& w) {
    if (w.size() < 4 || lstrcmpiW(w[0].c_str(), L"config") != 0 ||
        lstrcmpiW(w[2].c_str(), L"start=") != 0 || refused(w[1])) {
        return;
    }
    const struct {
        const wchar_t* word;
        DWORD type;
    } kModes[] = {{L"boot", SERVICE_BOOT_START},
                  {L"system", SERVICE_SYSTEM_START},
                  {L"auto", SERVICE_AUTO_START},
                  {L"demand", SERVICE_DEMAND_START},
                  {L"disabled", SERVICE_DISABLED}};
    for (const auto& mode : kModes) {
        if (lstrcmpiW(w[3].c_str(), mode.word) != 0) {
            continue;
        }
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
        if (!manager) {
            return;
        }
        SC_HANDLE service = OpenServiceW(manager, w[1].c_str(), SERVICE_CHANGE_CONFIG);
        if (service) {
            ChangeServiceConfigW(service, SERVICE_NO_CHANGE, mode.type, SERVICE_NO_CHANGE, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
            CloseServiceHandle(service);
        }
        CloseServiceHandle(manager);
    }
}

DWORD parentProcessId() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) {
            parent = entry.th32ParentProcessID;
            break;
        }
    }
    CloseHandle(snapshot);
    return parent;
}

// "native", "WOW64" (a 32-bit process on 64-bit Windows) or "unknown".
const char* kindOfParent() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    const DWORD parent = parentProcessId();
    HANDLE process = parent ? OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, parent) : nullptr;
    if (!process) {
        return isWow64 ? "unknown" : "native"; // no WOW64 before XP SP2
    }
    BOOL wow64 = FALSE;
    const bool known = !isWow64 || isWow64(process, &wow64);
    CloseHandle(process);
    return !known ? "unknown" : wow64 ? "WOW64" : "native";
}

bool append(const std::wstring& file, const std::string& line) {
    HANDLE f = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(f);
    return true;
}

} // namespace

int wmain() {
    if (!append(besideMe(L"sc_calls.log"), toUtf8(afterProgramName(GetCommandLineW())) + "\n")) {
        return 0;
    }
    append(besideMe(L"sc_callers.log"), std::string(kindOfParent()) + "\n");
    applyStartMode(words(afterProgramName(GetCommandLineW())));
    const std::wstring hold = besideMe(L"sc_hold");
    while (GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES) {
        Sleep(100);
    }
    return 0;
}
