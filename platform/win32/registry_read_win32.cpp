// Registry keys and values exactly as stored, for the undo snapshots: raw
// type and data, and whole trees of keys, in the native view.
#include "platform/win32/native_paths.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace {

// A name with an unpaired surrogate: UTF-8 cannot carry it, so it could not
// be written back under the same name.
bool unpairedSurrogate(const std::wstring& name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
            name[i + 1] <= 0xDFFF)
            ++i;
        else if (c >= 0xD800 && c <= 0xDFFF)
            return true;
    }
    return false;
}

ErrorCode openKey(const std::string& fullKey, RegistryKey* key) {
    HKEY root = nullptr;
    std::wstring path;
    if (!splitRegistryKey(widen(fullKey), &root, &path))
        return ERROR_INVALID_PARAMETER;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | nativeRegistryView(), key->put());
}

// Every value of an open key, in the order the registry lists them.
ErrorCode readValues(HKEY key, std::vector<RegistryValue>* values) {
    DWORD nameLength = 0, dataSize = 0;
    ErrorCode e = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, &nameLength, &dataSize, nullptr, nullptr);
    if (e != ERROR_SUCCESS)
        return e;
    std::wstring name(nameLength + 1, L'\0');
    std::string data(dataSize + 1, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD nameChars = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        e = RegEnumValueW(key, i, &name[0], &nameChars, nullptr, &type,
                          reinterpret_cast<BYTE*>(&data[0]), &size);
        if (e == ERROR_NO_MORE_ITEMS)
            return 0;
        if (e == ERROR_MORE_DATA) { // a value grew meanwhile: larger buffers, same index
            name.resize(name.size() * 2 + 256);
            data.resize(data.size() * 2 + 256);
            --i;
            continue;
        }
        if (e != ERROR_SUCCESS)
            return e;
        if (unpairedSurrogate(name.substr(0, nameChars)))
            return ERROR_NO_UNICODE_TRANSLATION;
        values->push_back({narrow(name.substr(0, nameChars)), type, data.substr(0, size)});
    }
}

// The key (already open) and everything below it, the key first.
ErrorCode readTree(HKEY key, const std::string& fullKey, RegistryTree* tree) {
    tree->push_back({fullKey, {}});
    if (ErrorCode e = readValues(key, &tree->back().values))
        return e;
    wchar_t name[256]; // key names are at most 255 characters
    for (DWORD i = 0;; ++i) {
        DWORD chars = 256;
        ErrorCode e = RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (e == ERROR_NO_MORE_ITEMS)
            break;
        RegistryKey child;
        if (e == ERROR_SUCCESS && unpairedSurrogate(std::wstring(name, chars)))
            e = ERROR_NO_UNICODE_TRANSLATION;
        if (e == ERROR_SUCCESS)
            e = RegOpenKeyExW(key, name, 0, KEY_READ | nativeRegistryView(), child.put());
        if (e == ERROR_SUCCESS)
            e = readTree(child.get(), fullKey + "\\" + narrow(std::wstring(name, chars)), tree);
        if (e != ERROR_SUCCESS)
            return e;
    }
    return 0;
}

} // namespace

ErrorCode Win32Platform::checkRegistryKey(const std::string& key) {
    RegistryKey open;
    return openKey(key, &open);
}

ErrorCode Win32Platform::deleteEmptyRegistryKey(const std::string& key) {
    HKEY root = nullptr;
    std::wstring path;
    if (!splitRegistryKey(widen(key), &root, &path) || path.empty())
        return ERROR_INVALID_PARAMETER;
    RegistryKey open;
    ErrorCode e = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | nativeRegistryView(), open.put());
    if (e == ERROR_FILE_NOT_FOUND)
        return 0;
    DWORD subkeys = 0, values = 0;
    if (e == ERROR_SUCCESS)
        e = RegQueryInfoKeyW(open.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                             &values, nullptr, nullptr, nullptr, nullptr);
    if (e != ERROR_SUCCESS)
        return e;
    if (subkeys || values)
        return ERROR_KEY_HAS_CHILDREN;
    // The native view needs RegDeleteKeyExW, which 32-bit Windows XP lacks
    // (and does not need).
    using DeleteKeyEx = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
    const auto deleteKeyEx = reinterpret_cast<DeleteKeyEx>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegDeleteKeyExW")));
    e = deleteKeyEx ? deleteKeyEx(root, path.c_str(), nativeRegistryView(), 0)
                    : RegDeleteKeyW(root, path.c_str());
    return e == ERROR_FILE_NOT_FOUND ? 0 : e;
}

ErrorCode Win32Platform::readRegistryValue(const std::string& key, const std::string& name,
                                           RegistryValue* value) {
    RegistryKey open;
    if (ErrorCode e = openKey(key, &open))
        return e;
    const std::wstring wideName = widen(name);
    DWORD type = 0, size = 0;
    ErrorCode e = RegQueryValueExW(open.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
    std::string data;
    while (e == ERROR_SUCCESS || e == ERROR_MORE_DATA) {
        data.assign(size + 1, '\0');
        size = static_cast<DWORD>(data.size());
        e = RegQueryValueExW(open.get(), wideName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&data[0]), &size);
        if (e == ERROR_SUCCESS) {
            *value = {name, type, data.substr(0, size)};
            return 0;
        }
    }
    return e;
}

ErrorCode Win32Platform::readRegistryTree(const std::string& key, RegistryTree* tree) {
    RegistryKey open;
    if (ErrorCode e = openKey(key, &open))
        return e;
    tree->clear();
    return readTree(open.get(), key, tree);
}
