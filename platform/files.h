// Files: whole-file reads and writes, appends, the one-step replacement, and
// what a folder listing shows of a file. Paths are UTF-8; contents are bytes
// (code page 936 is applied where the bytes are made, platform/cp936.h).
#pragma once

#include "platform/error_codes.h"

#include <cstdint>
#include <optional>
#include <string>

class Files {
public:
    virtual ~Files() = default;

    // Creates the file or empties it, writes all bytes and closes it. A name
    // that is a link or a second name of another file goes first: the bytes
    // reach this file only.
    virtual ErrorCode writeFile(const std::string& path, const std::string& bytes) = 0;
    // As writeFile, and the bytes are on the disk, not only in its cache,
    // when it returns.
    virtual ErrorCode writeFileToDisk(const std::string& path, const std::string& bytes) = 0;
    // Creates the file only when no file of that name exists (kErrorFileExists then).
    virtual ErrorCode createNewFile(const std::string& path, const std::string& bytes) = 0;
    // Replaces a file's content in one step: the bytes go to a new file in the
    // same folder, which then takes the old file's place keeping its hidden and
    // system attributes. Afterwards the file holds all of its old content or
    // all of the new, never a part. A read-only file is refused
    // (kErrorAccessDenied) and left as it is.
    virtual ErrorCode replaceFile(const std::string& path, const std::string& bytes) = 0;
    // Appends bytes to a file, which is created when it is missing. A name
    // that is also another file's (a hard link) or a link goes first: the
    // bytes reach this file only.
    virtual ErrorCode appendFile(const std::string& path, const std::string& bytes) = 0;
    // Appends bytes to a file that someone else named (a log on a share),
    // created when it is missing. A name that is a link or also another
    // file's is refused (kErrorNotPlainEntry): nothing is written through it,
    // and it stays as it is.
    virtual ErrorCode appendPlainFile(const std::string& path, const std::string& bytes) = 0;
    // Reads a whole file; nullopt (and the reason in *error) when it cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path, ErrorCode* error) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // Removes a file.
    virtual ErrorCode deleteFile(const std::string& path) = 0;
    // A file's read-only, hidden and system attributes (kAttributeReadOnly, kAttributeHidden,
    // kAttributeSystem, platform/machine_state.h), of the native system's file as readFile
    // reads it.
    virtual ErrorCode fileAttributes(const std::string& path, std::uint32_t* attributes) = 0;
    // The 8.3 short form of an existing path, or nullopt when there is none.
    virtual std::optional<std::string> shortPath(const std::string& path) = 0;
    // True when the folder holds a file of exactly this name (same letter
    // case) that is neither hidden nor a system file: what a file list box of
    // the folder would list.
    virtual bool listsFile(const std::string& folder, const std::string& name) = 0;
};
