// The plain data that the platform reads and takes: what the undo snapshots
// record of the machine, the system version, file attributes, how a service
// starts and how a script is shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// File attributes, as Windows numbers them.
constexpr std::uint32_t kAttributeReadOnly = 0x1;
constexpr std::uint32_t kAttributeHidden = 0x2;
constexpr std::uint32_t kAttributeSystem = 0x4;
constexpr std::uint32_t kAttributeReparsePoint = 0x400; // a link or a junction

// The window show state given to a launched script.
enum class ShowState { Hidden = 0, Visible = 1 };

// How a service starts, as the service control manager keeps it and as
// "sc config ... start= " sets it. DelayedAuto: automatic, delayed (Windows
// Vista and later).
enum class StartMode { Boot, System, Auto, Demand, Disabled, DelayedAuto };

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
