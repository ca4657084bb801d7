// The registry, by full names ("HKEY_LOCAL_MACHINE\SOFTWARE\...") in the
// native view: string values read and written, keys and values exactly as
// stored, empty keys deleted, changes put on the disk.
#pragma once

#include "platform/error_codes.h"
#include "platform/machine_state.h"

#include <optional>
#include <string>

class Registry {
public:
    virtual ~Registry() = default;

    // Registry string values, by their full name
    // ("HKEY_LOCAL_MACHINE\SOFTWARE\...\ValueName").
    virtual std::optional<std::string> readRegistryString(const std::string& fullName,
                                                          ErrorCode* error) = 0;
    virtual ErrorCode writeRegistryString(const std::string& fullName, const std::string& data) = 0;
    // 0 when the key exists, kErrorFileNotFound when not.
    virtual ErrorCode checkRegistryKey(const std::string& key) = 0;
    // One value of a key; kErrorFileNotFound when the key or the value is missing.
    virtual ErrorCode readRegistryValue(const std::string& key, const std::string& name,
                                        RegistryValue* value) = 0;
    // A key with all its values and subkeys; kErrorFileNotFound when it is
    // missing, kErrorNoUnicodeTranslation when a name in it is not valid text.
    virtual ErrorCode readRegistryTree(const std::string& key, RegistryTree* tree) = 0;
    // Deletes a key that holds no value and no subkey; 0 when it is gone or
    // was missing, kErrorKeyNotEmpty (and the key stays) when it holds
    // something.
    virtual ErrorCode deleteEmptyRegistryKey(const std::string& key) = 0;
    // Puts a key's changes on the disk.
    virtual ErrorCode flushRegistryKey(const std::string& key) = 0;
};
