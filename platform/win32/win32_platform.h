// The platform seam over the Win32 API. One file per topic implements it:
// files_win32.cpp, launch_win32.cpp, registry_win32.cpp, machine_win32.cpp,
// command_line_win32.cpp.
#pragma once

#include "platform/platform.h"
#include "win32/handles.h"

#include <map>
#include <string>
#include <vector>
#include <windows.h>

class Win32Platform : public Platform {
public:
    ErrorCode writeFile(const std::string& path, const std::string& bytes) override;
    ErrorCode createNewFile(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> readFile(const std::string& path, ErrorCode* error) override;
    bool fileExists(const std::string& path) override;
    std::optional<std::string> shortPath(const std::string& path) override;
    bool listsFile(const std::string& folder, const std::string& name) override;

    ErrorCode launchScript(const std::string& name, ShowState show) override;
    bool isScriptRunning(const std::string& name) override;
    bool bringScriptToFront(const std::string& name) override;

    std::string windowsDirectory() override;
    bool isAdministrator() override;
    std::optional<std::string> readRegistryString(const std::string& fullName,
                                                  ErrorCode* error) override;
    ErrorCode writeRegistryString(const std::string& fullName, const std::string& data) override;

    // --- Command line (command_line_win32.cpp) ---
    bool waitForScript(const std::string& name) override;
    std::string commonDataFolder() override;
    ErrorCode createFolder(const std::string& path) override;
    ErrorCode appendFile(const std::string& path, const std::string& bytes) override;
    ErrorCode appendPlainFile(const std::string& path, const std::string& bytes) override;
    LocalTime localTime() override;

    // --- Files no other process can spoil ---
    ErrorCode replaceFile(const std::string& path, const std::string& bytes) override;
    ErrorCode writeScript(const std::string& name, const std::string& bytes) override;
    std::vector<std::string> finishedScripts() override;
    std::string currentDirectory() override;

    // --- Undo snapshots and the system version ----------------------------
    // registry_read_win32.cpp, snapshot_folders_win32.cpp, system_win32.cpp
    ErrorCode readServiceStartMode(const std::string& service, StartMode* mode) override;
    ErrorCode checkRegistryKey(const std::string& key) override;
    ErrorCode deleteEmptyRegistryKey(const std::string& key) override;
    ErrorCode readRegistryValue(const std::string& key, const std::string& name,
                                RegistryValue* value) override;
    ErrorCode readRegistryTree(const std::string& key, RegistryTree* tree) override;
    ErrorCode createPrivateFolder(const std::string& path) override;
    ErrorCode renameFolder(const std::string& from, const std::string& to) override;
    ErrorCode deleteFile(const std::string& path) override;
    ErrorCode removeFolder(const std::string& path) override;
    std::vector<std::string> listFolders(const std::string& folder) override;
    ErrorCode runScriptAndWait(const std::string& path, std::uint32_t* exitCode) override;
    ErrorCode fileAttributes(const std::string& path, std::uint32_t* attributes) override;
    WindowsVersion windowsVersion() override;

    // --- The program's own folder, its records, one change at a time -------
    // snapshot_folders_win32.cpp, files_win32.cpp, registry_win32.cpp,
    // change_claim_win32.cpp
    ErrorCode folderIdentity(const std::string& path, std::string* identity) override;
    ErrorCode writeFileToDisk(const std::string& path, const std::string& bytes) override;
    ErrorCode flushRegistryKey(const std::string& key) override;
    std::optional<std::string> holdFile(const std::string& path, ErrorCode* error) override;
    void releaseHeldFiles() override;
    ErrorCode claimChange(const std::string& lockFile, const std::string& what,
                          std::string* holder) override;
    void releaseChange() override;

    // --- Preview (folder_listing_win32.cpp) ---
    std::vector<FolderEntry> listFolder(const std::string& folder) override;
    std::optional<std::string> environmentVariable(const std::string& name) override;

private:
    struct Started {
        KernelHandle process;
        DWORD processId = 0;
        FileHandle guard;  // the script's guard, when the interpreter could not take it
        std::wstring path; // the guarded script, deleted once the interpreter has ended
    };
    // A script written and guarded, not launched yet.
    struct Guard {
        FileHandle file;
        std::wstring path;
    };
    void handOverGuard(const std::string& name, Started& started);
    // The last process started for each script name, kept so that a later
    // action can ask whether it still runs.
    std::map<std::string, Started> started_;

    // --- Command line ---
    // The machine's change claim while this process holds it, and what for.
    // Each script launched meanwhile gets a handle of its own, so that the
    // claim lasts until it has ended.
    FileHandle change_;
    std::string changeWhat_;
    std::vector<FileHandle> held_; // the files held by holdFile

    std::map<std::string, Guard> guards_;
};
