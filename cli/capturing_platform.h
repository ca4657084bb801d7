// The machine as a run from the command line uses it: everything goes to the
// real platform except the notifications, which are kept as the outcome of
// the action that said them instead of opening message boxes.
#pragma once

#include "platform/platform.h"

#include <string>
#include <vector>

class CapturingPlatform : public Platform {
public:
    explicit CapturingPlatform(Platform& machine) : machine_(machine) {}

    // The notifications since the last call, taken out.
    std::vector<std::string> takeNotices();

    void notify(const std::string& text) override { notices_.push_back(text); }

    ErrorCode writeFile(const std::string& path, const std::string& bytes) override {
        return machine_.writeFile(path, bytes);
    }
    ErrorCode createNewFile(const std::string& path, const std::string& bytes) override {
        return machine_.createNewFile(path, bytes);
    }
    std::optional<std::string> readFile(const std::string& path, ErrorCode* error) override {
        return machine_.readFile(path, error);
    }
    bool fileExists(const std::string& path) override { return machine_.fileExists(path); }
    std::optional<std::string> shortPath(const std::string& path) override {
        return machine_.shortPath(path);
    }
    bool listsFile(const std::string& folder, const std::string& name) override {
        return machine_.listsFile(folder, name);
    }
    ErrorCode launchScript(const std::string& name, ShowState show) override {
        return machine_.launchScript(name, show);
    }
    bool isScriptRunning(const std::string& name) override {
        return machine_.isScriptRunning(name);
    }
    bool bringScriptToFront(const std::string& name) override {
        return machine_.bringScriptToFront(name);
    }
    bool openUrl(const std::string& url) override { return machine_.openUrl(url); }
    std::string windowsDirectory() override { return machine_.windowsDirectory(); }
    bool isAdministrator() override { return machine_.isAdministrator(); }
    std::optional<std::string> readRegistryString(const std::string& fullName,
                                                  ErrorCode* error) override {
        return machine_.readRegistryString(fullName, error);
    }
    ErrorCode writeRegistryString(const std::string& fullName, const std::string& data) override {
        return machine_.writeRegistryString(fullName, data);
    }

    bool waitForScript(const std::string& name) override { return machine_.waitForScript(name); }
    bool writeOutput(const std::string& text) override { return machine_.writeOutput(text); }
    std::string commonDataFolder() override { return machine_.commonDataFolder(); }
    ErrorCode createFolder(const std::string& path) override { return machine_.createFolder(path); }
    ErrorCode appendFile(const std::string& path, const std::string& bytes) override {
        return machine_.appendFile(path, bytes);
    }
    ErrorCode appendPlainFile(const std::string& path, const std::string& bytes) override {
        return machine_.appendPlainFile(path, bytes);
    }
    LocalTime localTime() override { return machine_.localTime(); }

    ErrorCode replaceFile(const std::string& path, const std::string& bytes) override {
        return machine_.replaceFile(path, bytes);
    }
    ErrorCode writeScript(const std::string& name, const std::string& bytes) override {
        return machine_.writeScript(name, bytes);
    }
    std::vector<std::string> finishedScripts() override { return machine_.finishedScripts(); }
    std::string currentDirectory() override { return machine_.currentDirectory(); }

    ErrorCode readServiceStartMode(const std::string& service, StartMode* mode) override {
        return machine_.readServiceStartMode(service, mode);
    }
    ErrorCode checkRegistryKey(const std::string& key) override {
        return machine_.checkRegistryKey(key);
    }
    ErrorCode deleteEmptyRegistryKey(const std::string& key) override {
        return machine_.deleteEmptyRegistryKey(key);
    }
    ErrorCode readRegistryValue(const std::string& key, const std::string& name,
                                RegistryValue* value) override {
        return machine_.readRegistryValue(key, name, value);
    }
    ErrorCode readRegistryTree(const std::string& key, RegistryTree* tree) override {
        return machine_.readRegistryTree(key, tree);
    }
    ErrorCode createPrivateFolder(const std::string& path) override {
        return machine_.createPrivateFolder(path);
    }
    ErrorCode renameFolder(const std::string& from, const std::string& to) override {
        return machine_.renameFolder(from, to);
    }
    ErrorCode deleteFile(const std::string& path) override { return machine_.deleteFile(path); }
    ErrorCode removeFolder(const std::string& path) override { return machine_.removeFolder(path); }
    std::vector<std::string> listFolders(const std::string& folder) override {
        return machine_.listFolders(folder);
    }
    ErrorCode runScriptAndWait(const std::string& path, std::uint32_t* exitCode) override {
        return machine_.runScriptAndWait(path, exitCode);
    }
    ErrorCode fileAttributes(const std::string& path, std::uint32_t* attributes) override {
        return machine_.fileAttributes(path, attributes);
    }
    WindowsVersion windowsVersion() override { return machine_.windowsVersion(); }
    ErrorCode folderIdentity(const std::string& path, std::string* identity) override {
        return machine_.folderIdentity(path, identity);
    }
    ErrorCode writeFileToDisk(const std::string& path, const std::string& bytes) override {
        return machine_.writeFileToDisk(path, bytes);
    }
    ErrorCode flushRegistryKey(const std::string& key) override {
        return machine_.flushRegistryKey(key);
    }
    std::optional<std::string> holdFile(const std::string& path, ErrorCode* error) override {
        return machine_.holdFile(path, error);
    }
    void releaseHeldFiles() override { machine_.releaseHeldFiles(); }
    ErrorCode claimChange(const std::string& lockFile, const std::string& what,
                          std::string* holder) override {
        return machine_.claimChange(lockFile, what, holder);
    }
    void releaseChange() override { machine_.releaseChange(); }

    std::vector<FolderEntry> listFolder(const std::string& folder) override {
        return machine_.listFolder(folder);
    }
    std::optional<std::string> environmentVariable(const std::string& name) override {
        return machine_.environmentVariable(name);
    }
    // A run from the command line asks no one: a question is answered "no".
    bool ask(const std::string& text) override {
        notices_.push_back(text);
        return false;
    }

private:
    Platform& machine_;
    std::vector<std::string> notices_;
};
