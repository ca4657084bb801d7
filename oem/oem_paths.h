// Where the OEM identity of the machine lives: two files in the system
// folder of the Windows directory and two registry values.
#pragma once

#include <string>

constexpr const char* kOrganizationValue =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\RegisteredOrganization";
constexpr const char* kOwnerValue =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\RegisteredOwner";

constexpr const char* kOemInfoName = "oeminfo.ini";
constexpr const char* kOemLogoName = "oemlogo.bmp";

// Every path is the Windows directory as the system returns it, followed by
// a literal that begins with a backslash.
inline std::string systemFolder(const std::string& windowsDir) {
    return windowsDir + "\\system32\\";
}
inline std::string oemInfoPath(const std::string& windowsDir) {
    return systemFolder(windowsDir) + kOemInfoName;
}
inline std::string oemLogoPath(const std::string& windowsDir) {
    return systemFolder(windowsDir) + kOemLogoName;
}
