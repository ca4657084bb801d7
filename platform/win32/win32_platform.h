// The platform seam over the Win32 API, by topic; each section names the
// files that implement it.
#pragma once

#include "platform/platform.h"
#include "win32/handles.h"

#include <map>
#include <string>
#include <vector>
#include <windows.h>

class Win32Platform : public Platform {
public:
    // --- Files: files_win32.cpp, safe_files_win32.cpp, command_line_win32.cpp,
    // snapshot_folders_win32.cpp, system_win32.cpp
    ErrorCode writeFile(const std::string& path, const std::string& bytes) override;
    ErrorCode writeFileToDisk(const std::string& path, const std::string& bytes) override;
    ErrorCode createNewFile(const std::string& path, const std::string& bytes) override;
    ErrorCode replaceFile(const std::string& path, const std::string& bytes) override;
    ErrorCode appendFile(const std::string& path, const std::string& bytes) override;
    ErrorCode appendPlainFile(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> readFile(const std::string& path, ErrorCode* error) override;
    bool fileExists(const std::string& path) override;
    ErrorCode deleteFile(const std::string& path) override;
    ErrorCode fileAttributes(const std::string& path, std::uint32_t* attributes) override;
    std::optional<std::string> shortPath(const std::string& path) override;
    bool listsFile(const std::string& folder, const std::string& name) override;

    // --- Folders: snapshot_folders_win32.cpp, folder_listing_win32.cpp,
    // command_line_win32.cpp, launch_win32.cpp
    ErrorCode createFolder(const std::string& path) override;
    ErrorCode createPrivateFolder(const std::string& path) override;
    ErrorCode renameFolder(const std::string& from, const std::string& to) override;
    ErrorCode removeFolder(const std::string& path) override;
    std::vector<std::string> listFolders(const std::string& folder) override;
    std::vector<FolderEntry> listFolder(const std::string& folder) override;
    ErrorCode folderIdentity(const std::string& path, std::string* identity) override;
    std::string currentDirectory() override;
    std::string commonDataFolder() override;

    // --- Registry: registry_win32.cpp, registry_read_win32.cpp
    std::optional<std::string> readRegistryString(const std::string& fullName,
                                                  ErrorCode* error) override;
    ErrorCode writeRegistryString(const std::string& fullName, const std::string& data) override;
    ErrorCode checkRegistryKey(const std::string& key) override;
    ErrorCode readRegistryValue(const std::string& key, const std::string& name,
                                RegistryValue* value) override;
    ErrorCode readRegistryTree(const std::string& key, RegistryTree* tree) override;
    ErrorCode deleteEmptyRegistryKey(const std::string& key) override;
    ErrorCode flushRegistryKey(const std::string& key) override;

    // --- Scripts: launch_win32.cpp, safe_files_win32.cpp, command_line_win32.cpp,
    // system_win32.cpp
    ErrorCode writeScript(const std::string& name, const std::string& bytes) override;
    ErrorCode launchScript(const std::string& name, ShowState show) override;
    bool isScriptRunning(const std::string& name) override;
    bool bringScriptToFront(const std::string& name) override;
    bool waitForScript(const std::string& name) override;
    std::vector<std::string> finishedScripts() override;
    ErrorCode runScriptAndWait(const std::string& path, std::uint32_t* exitCode) override;

    // --- MachineFacts: machine_win32.cpp, system_win32.cpp,
    // folder_listing_win32.cpp, command_line_win32.cpp
    std::string windowsDirectory() override;
    WindowsVersion windowsVersion() override;
    bool isAdministrator() override;
    ErrorCode readServiceStartMode(const std::string& service, StartMode* mode) override;
    std::optional<std::string> environmentVariable(const std::string& name) override;
    LocalTime localTime() override;

    // --- Locks: files_win32.cpp, change_claim_win32.cpp
    std::optional<std::string> holdFile(const std::string& path, ErrorCode* error) override;
    void releaseHeldFiles() override;
    ErrorCode claimChange(const std::string& lockFile, const std::string& what,
                          std::string* holder) override;
    void releaseChange() override;

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

    // --- Locks ---
    // The machine's change claim while this process holds it, and what for.
    // Each script launched meanwhile gets a handle of its own, so that the
    // claim lasts until it has ended.
    FileHandle change_;
    std::string changeWhat_;
    std::vector<FileHandle> held_; // the files held by holdFile

    std::map<std::string, Guard> guards_;
};
