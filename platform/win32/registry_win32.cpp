// Registry string values by full name, through the native registry functions
// in the native view.
#include "platform/win32/native_paths.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"
#include "win32/wide.h"

#include <vector>

namespace {

struct ValueName {
    HKEY root = nullptr;
    std::wstring key;
    std::wstring value;
};

// "ROOT\key\path\Value" split into its root, key path and value name.
bool split(const std::string& fullName, ValueName* out) {
    std::wstring wide = widen(fullName);
    size_t first = wide.find(L'\\');
    size_t last = wide.rfind(L'\\');
    if (first == std::wstring::npos || last == first)
        return false;
    out->value = wide.substr(last + 1);
    return splitRegistryKey(wide.substr(0, last), &out->root, &out->key);
}

} // namespace

std::optional<std::string> Win32Platform::readRegistryString(const std::string& fullName,
                                                             ErrorCode* error) {
    ValueName name;
    ErrorCode e = ERROR_INVALID_PARAMETER;
    std::optional<std::string> result;
    RegistryKey key;
    if (split(fullName, &name) &&
        (e = RegOpenKeyExW(name.root, name.key.c_str(), 0, KEY_QUERY_VALUE | nativeRegistryView(),
                           key.put())) == ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD size = 0;
        e = RegQueryValueExW(key.get(), name.value.c_str(), nullptr, &type, nullptr, &size);
        if (e == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ)
            e = ERROR_INVALID_DATA;
        if (e == ERROR_SUCCESS) {
            // One spare character: a stored string need not end in a NUL.
            std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
            e = RegQueryValueExW(key.get(), name.value.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(data.data()), &size);
            if (e == ERROR_SUCCESS)
                result = narrow(std::wstring(data.data()));
        }
    }
    if (!result && error)
        *error = e;
    return result;
}

ErrorCode Win32Platform::writeRegistryString(const std::string& fullName, const std::string& data) {
    ValueName name;
    if (!split(fullName, &name))
        return ERROR_INVALID_PARAMETER;
    RegistryKey key;
    ErrorCode e =
        RegCreateKeyExW(name.root, name.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | nativeRegistryView(), nullptr, key.put(), nullptr);
    if (e != ERROR_SUCCESS)
        return e;
    std::wstring wide = widen(data);
    return RegSetValueExW(key.get(), name.value.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

ErrorCode Win32Platform::flushRegistryKey(const std::string& fullKey) {
    HKEY root = nullptr;
    std::wstring path;
    if (!splitRegistryKey(widen(fullKey), &root, &path))
        return ERROR_INVALID_PARAMETER;
    RegistryKey key;
    ErrorCode e =
        RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | nativeRegistryView(), key.put());
    if (e == ERROR_SUCCESS)
        e = RegFlushKey(key.get());
    return e;
}
