#include "platform/win32/registry_roots.h"

namespace {

struct Root {
    const wchar_t* name;
    HKEY key;
};

const Root kRoots[] = {
    {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {L"HKLM", HKEY_LOCAL_MACHINE},
    {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKCU", HKEY_CURRENT_USER},
    {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {L"HKCR", HKEY_CLASSES_ROOT},
    {L"HKEY_USERS", HKEY_USERS},
    {L"HKU", HKEY_USERS},
};

} // namespace

HKEY registryRoot(const std::wstring& name) {
    for (const Root& r : kRoots)
        if (lstrcmpiW(r.name, name.c_str()) == 0)
            return r.key;
    return nullptr;
}

bool splitRegistryKey(const std::wstring& fullKey, HKEY* root, std::wstring* path) {
    const std::wstring::size_type first = fullKey.find(L'\\');
    *root = registryRoot(fullKey.substr(0, first));
    *path = first == std::wstring::npos ? std::wstring() : fullKey.substr(first + 1);
    return *root != nullptr;
}
