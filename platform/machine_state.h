// What the undo snapshots record of the machine, and the system version: the
// plain data that the platform reads for them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A registry value as stored: its name ("" for the default value), its type
// (REG_SZ = 1, REG_DWORD = 4, ...) and its data, byte for byte.
struct RegistryValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

// A registry key with everything below it, key by key: the key itself first,
// then each subkey's tree in turn. Full key names; values and subkeys in the
// order the registry lists them.
struct RegistryKeyContent {
    std::string key;
    std::vector<RegistryValue> values;
};
using RegistryTree = std::vector<RegistryKeyContent>;

// The version of Windows as the kernel reports it.
struct WindowsVersion {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned build = 0;
    bool server = false;
};

// A file or folder in a folder, as a listing gives it.
struct FolderEntry {
    std::string name;
    bool folder = false;
    std::uint64_t size = 0;
    std::uint32_t attributes = 0; // as Windows numbers them (hidden 0x2, system 0x4, link 0x400)
};
