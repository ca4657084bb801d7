// Scripts cannot run from a network folder: the command interpreter refuses a
// network path (\\server\share) as its current directory and starts in the
// Windows folder instead, where it finds none of the scripts.
#pragma once

#include <optional>
#include <string>

// What the user is told when scripts would be run from `currentDir`, or
// nullopt when they can run there.
std::optional<std::string> networkFolderRefusal(const std::string& currentDir);
