// The program's own folder in the all-users application data ("...\Velkor"),
// where its undo records, its log and its change lock lie. Every user may
// add folders there, so a "Velkor" folder that exists may be someone else's,
// who could keep a handle to it and change it later whatever its owner and
// permissions are made: the program never adopts a folder it did not make.
// The one it made is known by its identity, registered where only
// administrators may write; any other of that name is moved aside and a new
// one made, that only administrators and the system may change.
#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>

// Where the identity of the program's folder is registered.
constexpr char kProgramFolderRecord[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor\\Folder";

// "...\Velkor"; empty when there is no all-users application data folder.
std::string programFolder(Platform& platform);

// Makes sure that the program's folder is the one it made; nullopt when it
// is, else why not (in the form "无法创建文件夹 <path>：<reason>").
std::optional<std::string> secureProgramFolder(Platform& platform);
