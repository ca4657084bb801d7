// The platform seam: everything that touches the machine. The Win32
// implementation is the product; the unit tests use a recording double.
//
// Texts and paths are UTF-8. File contents are bytes: code page 936 is applied
// where the bytes are made (platform/cp936.h), never through the system's
// current ANSI code page. Failures are Win32 error codes (0: success).
#pragma once

#include "platform/local_time.h"
#include "platform/machine_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using ErrorCode = std::uint32_t;

// Win32 error codes that the portable logic names.
constexpr ErrorCode kErrorFileNotFound = 2;
constexpr ErrorCode kErrorPathNotFound = 3;
constexpr ErrorCode kErrorAccessDenied = 5;
constexpr ErrorCode kErrorSharingViolation = 32;
constexpr ErrorCode kErrorFileExists = 80;
constexpr ErrorCode kErrorDiskFull = 112;
constexpr ErrorCode kErrorAlreadyExists = 183;
constexpr ErrorCode kErrorServiceDoesNotExist = 1060;
// A name that is not valid UTF-16 (an unpaired surrogate), so that no text can
// carry it (ERROR_NO_UNICODE_TRANSLATION).
constexpr ErrorCode kErrorNoUnicodeTranslation = 1113;
// A registry key that still holds values or subkeys (ERROR_KEY_HAS_CHILDREN).
constexpr ErrorCode kErrorKeyNotEmpty = 1020;
// ERROR_FILE_INVALID: a file was altered by someone else after it was written.
constexpr ErrorCode kErrorFileChanged = 1006;
// A name that should be the program's own file or folder is a link that
// leads elsewhere, a second name of another file, or of the other kind
// (ERROR_DIRECTORY).
constexpr ErrorCode kErrorNotPlainEntry = 267;
// Another change to the system goes on (ERROR_BUSY).
constexpr ErrorCode kErrorChangeGoing = 170;

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

class Platform {
public:
    virtual ~Platform() = default;

    // --- Files -----------------------------------------------------------
    // Creates the file or empties it, writes all bytes and closes it. A name
    // that is a link or a second name of another file goes first: the bytes
    // reach this file only.
    virtual ErrorCode writeFile(const std::string& path, const std::string& bytes) = 0;
    // Creates the file only when no file of that name exists (kErrorFileExists then).
    virtual ErrorCode createNewFile(const std::string& path, const std::string& bytes) = 0;
    // Reads a whole file; nullopt (and the reason in *error) when it cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path, ErrorCode* error) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // The 8.3 short form of an existing path, or nullopt when there is none.
    virtual std::optional<std::string> shortPath(const std::string& path) = 0;
    // True when the folder holds a file of exactly this name (same letter
    // case) that is neither hidden nor a system file: what a file list box of
    // the folder would list.
    virtual bool listsFile(const std::string& folder, const std::string& name) = 0;

    // --- Scripts ---------------------------------------------------------
    // Starts the command interpreter on a script (bare name, current
    // directory) with the given show state, without waiting for it.
    virtual ErrorCode launchScript(const std::string& name, ShowState show) = 0;
    // True while the process that the last launch of this script started runs.
    virtual bool isScriptRunning(const std::string& name) = 0;
    // Brings the console window of that running script to the front.
    virtual bool bringScriptToFront(const std::string& name) = 0;

    // --- Machine ---------------------------------------------------------
    virtual std::string windowsDirectory() = 0;
    // True when the process may change the system (administrator rights).
    virtual bool isAdministrator() = 0;
    // Registry string values, by their full name
    // ("HKEY_LOCAL_MACHINE\SOFTWARE\...\ValueName"), in the native view.
    virtual std::optional<std::string> readRegistryString(const std::string& fullName,
                                                          ErrorCode* error) = 0;
    virtual ErrorCode writeRegistryString(const std::string& fullName, const std::string& data) = 0;
    // The configured start mode of a service; nullopt when it cannot be read
    // (readServiceStartMode below says why).
    std::optional<StartMode> serviceStartMode(const std::string& service) {
        StartMode mode = StartMode::Demand;
        if (readServiceStartMode(service, &mode) != 0)
            return std::nullopt;
        return mode;
    }

    // --- Command line ----------------------------------------------------
    // Waits until the process that the last launch of this script started
    // has ended; false when no launch of this script started one.
    virtual bool waitForScript(const std::string& name) = 0;
    // The folder of the data that all users share ("All Users\Application Data").
    virtual std::string commonDataFolder() = 0;
    // Creates a folder and the missing folders above it; 0 when it exists.
    virtual ErrorCode createFolder(const std::string& path) = 0;
    // Appends bytes to a file, which is created when it is missing. A name
    // that is also another file's (a hard link) or a link goes first: the
    // bytes reach this file only.
    virtual ErrorCode appendFile(const std::string& path, const std::string& bytes) = 0;
    // Appends bytes to a file that someone else named (a log on a share),
    // created when it is missing. A name that is a link or also another
    // file's is refused (kErrorNotPlainEntry): nothing is written through it,
    // and it stays as it is.
    virtual ErrorCode appendPlainFile(const std::string& path, const std::string& bytes) = 0;
    // The local date and time.
    virtual LocalTime localTime() = 0;

    // --- Files no other process can spoil ----------------------------------
    // Replaces a file's content in one step: the bytes go to a new file in the
    // same folder, which then takes the old file's place keeping its hidden and
    // system attributes. Afterwards the file holds all of its old content or
    // all of the new, never a part. A read-only file is refused
    // (kErrorAccessDenied) and left as it is.
    virtual ErrorCode replaceFile(const std::string& path, const std::string& bytes) = 0;
    // Writes a script (bare name, current directory) as a new file and guards
    // it: from the write until the command interpreter that the next
    // launchScript of it starts has ended, no other process can write,
    // rename, replace or delete it. Other readers may still read it.
    virtual ErrorCode writeScript(const std::string& name, const std::string& bytes) = 0;
    // The scripts whose interpreter has ended since the last call. A guarded
    // script cannot delete itself with its last line, so each is deleted here.
    virtual std::vector<std::string> finishedScripts() = 0;
    // The process's current directory, where the scripts are written and run.
    virtual std::string currentDirectory() = 0;

    // --- Undo snapshots and the system version ----------------------------
    // The configured start mode of a service; kErrorServiceDoesNotExist when
    // no such service is installed.
    virtual ErrorCode readServiceStartMode(const std::string& service, StartMode* mode) = 0;
    // 0 when the key (full name, native view) exists, kErrorFileNotFound when not.
    virtual ErrorCode checkRegistryKey(const std::string& key) = 0;
    // One value of a key; kErrorFileNotFound when the key or the value is missing.
    virtual ErrorCode readRegistryValue(const std::string& key, const std::string& name,
                                        RegistryValue* value) = 0;
    // Deletes a key (full name, native view) that holds no value and no
    // subkey; 0 when it is gone or was missing, kErrorKeyNotEmpty (and the
    // key stays) when it holds something.
    virtual ErrorCode deleteEmptyRegistryKey(const std::string& key) = 0;
    // A key with all its values and subkeys; kErrorFileNotFound when it is
    // missing, kErrorNoUnicodeTranslation when a name in it is not valid text.
    virtual ErrorCode readRegistryTree(const std::string& key, RegistryTree* tree) = 0;
    // Creates a folder that only administrators and the system may change;
    // kErrorAlreadyExists, changing nothing, when the name is taken (by a
    // folder, a file or a link): an existing folder is never taken over.
    virtual ErrorCode createPrivateFolder(const std::string& path) = 0;
    // Renames a folder; kErrorAlreadyExists when the new name is taken. The
    // new name is on the disk, not only in its cache, when it returns.
    virtual ErrorCode renameFolder(const std::string& from, const std::string& to) = 0;
    // Removes a file; an empty folder.
    virtual ErrorCode deleteFile(const std::string& path) = 0;
    virtual ErrorCode removeFolder(const std::string& path) = 0;
    // The names of the folders in a folder.
    virtual std::vector<std::string> listFolders(const std::string& folder) = 0;
    // Runs a script (full path) hidden through the command interpreter in the
    // script's own folder and waits for it to end; the window stays painted
    // but takes no input meanwhile.
    virtual ErrorCode runScriptAndWait(const std::string& path, std::uint32_t* exitCode) = 0;
    // A file's read-only, hidden and system attributes (kAttributeReadOnly, kAttributeHidden,
    // kAttributeSystem), of the native system's file as readFile reads it.
    virtual ErrorCode fileAttributes(const std::string& path, std::uint32_t* attributes) = 0;
    // The version of Windows, not the one a compatibility mode pretends.
    virtual WindowsVersion windowsVersion() = 0;

    // --- The program's own folder, its records, one change at a time -------
    // What tells the folder itself apart from any other, also one of the same
    // name made later (its volume and file number); kErrorNotPlainEntry when
    // the name is a link or a file.
    virtual ErrorCode folderIdentity(const std::string& path, std::string* identity) = 0;
    // As writeFile, and the bytes are on the disk, not only in its cache,
    // when it returns.
    virtual ErrorCode writeFileToDisk(const std::string& path, const std::string& bytes) = 0;
    // Puts a registry key's changes (full name, native view) on the disk.
    virtual ErrorCode flushRegistryKey(const std::string& key) = 0;
    // Opens a file so that no other process can write, rename or delete it
    // until releaseHeldFiles, and reads it whole through that handle.
    virtual std::optional<std::string> holdFile(const std::string& path, ErrorCode* error) = 0;
    virtual void releaseHeldFiles() = 0;
    // Claims the machine's one change at a time for `what` (the name told to
    // whoever is refused meanwhile) through `lockFile`, a file in a folder
    // that only administrators may change. 0 when claimed; kErrorChangeGoing,
    // with what holds the claim in *holder, while another change goes on, in
    // this process or another.
    virtual ErrorCode claimChange(const std::string& lockFile, const std::string& what,
                                  std::string* holder) = 0;
    // Gives the claim up once every script launched while it was held has
    // ended (at once when none runs). The end of the process gives it up too.
    virtual void releaseChange() = 0;

    // --- Preview -----------------------------------------------------------
    // The files and folders in a folder, without "." and ".."; empty when
    // it cannot be listed.
    virtual std::vector<FolderEntry> listFolder(const std::string& folder) = 0;
    // A variable of this process's environment ("SystemDrive", "USERPROFILE");
    // nullopt when it is not set.
    virtual std::optional<std::string> environmentVariable(const std::string& name) = 0;
};
