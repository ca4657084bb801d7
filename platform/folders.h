// Folders: making, renaming, removing and listing them, what tells one apart
// from another of the same name, and the folders the program works in.
#pragma once

#include "platform/error_codes.h"
#include "platform/machine_state.h"

#include <string>
#include <vector>

class Folders {
public:
    virtual ~Folders() = default;

    // Creates a folder and the missing folders above it; 0 when it exists.
    virtual ErrorCode createFolder(const std::string& path) = 0;
    // Creates a folder that only administrators and the system may change;
    // kErrorAlreadyExists, changing nothing, when the name is taken (by a
    // folder, a file or a link): an existing folder is never taken over.
    virtual ErrorCode createPrivateFolder(const std::string& path) = 0;
    // Renames a folder; kErrorAlreadyExists when the new name is taken. The
    // new name is on the disk, not only in its cache, when it returns.
    virtual ErrorCode renameFolder(const std::string& from, const std::string& to) = 0;
    // Removes an empty folder.
    virtual ErrorCode removeFolder(const std::string& path) = 0;
    // The names of the folders in a folder.
    virtual std::vector<std::string> listFolders(const std::string& folder) = 0;
    // The files and folders in a folder, without "." and ".."; empty when
    // it cannot be listed.
    virtual std::vector<FolderEntry> listFolder(const std::string& folder) = 0;
    // What tells the folder itself apart from any other, also one of the same
    // name made later (its volume and file number); kErrorNotPlainEntry when
    // the name is a link or a file.
    virtual ErrorCode folderIdentity(const std::string& path, std::string* identity) = 0;
    // The process's current directory, where the scripts are written and run.
    virtual std::string currentDirectory() = 0;
    // The folder of the data that all users share ("All Users\Application Data").
    virtual std::string commonDataFolder() = 0;
};
