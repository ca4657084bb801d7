// A recording machine, and the window's and the command line's conversation
// with the user: files live in a map, launches, notifications and questions
// are logged in the order they happen. First what the test sets up and reads
// back, then the methods, by interface.
#pragma once

#include "app/user_dialogs.h"
#include "cli/console.h"
#include "platform/platform.h"
#include "undo/snapshot_store.h"

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

class FakePlatform : public Platform, public UserDialogs, public Console {
public:
    struct Launch {
        std::string name;
        ShowState show;
        std::string bytesAtLaunch; // the script's content when it was launched
    };

    // --- what the test sets up ---
    std::map<std::string, std::string> files;       // path -> bytes
    std::map<std::string, ErrorCode> writeFailures; // path -> error on write/create
    std::map<std::string, ErrorCode> launchFailures;
    std::set<std::string> running;    // scripts whose earlier run still goes on
    bool launchesKeepRunning = false; // a launched script runs until the test ends it
    std::string windowsDir = "C:\\WINDOWS";
    bool admin = true;
    std::map<std::string, std::string> registry; // full value name -> data
    std::map<std::string, ErrorCode> registryWriteFailures;
    std::map<std::string, StartMode> services;
    std::map<std::string, std::string> shortPaths;
    // What a file list box shows per folder: files that are neither hidden
    // nor system files, by their exact names.
    std::map<std::string, std::set<std::string>> listedFiles;

    // --- what the test reads back ---
    std::vector<Launch> launches;
    std::vector<std::string> notifications;
    std::vector<std::string> openedUrls;
    std::vector<std::string> broughtToFront;
    std::vector<std::string> events; // "write X", "launch X", "notify T", "registry X" in order

    // --- The change claim, the output, the clock, folders ---
    // What the test sets up.
    std::string otherChange; // what another process's change claim names ("": none)
    bool hasOutput = true;   // started from a console or with redirected output
    std::string commonData = "C:\\Documents and Settings\\All Users\\Application Data";
    LocalTime now{2024, 5, 1, 12, 30, 5};
    std::map<std::string, ErrorCode> folderFailures;
    // By the script's file name: runs when the script is waited for (or run
    // and waited for), as if it had done its work.
    std::map<std::string, std::function<void(FakePlatform&)>> scriptEffects;
    // What the test reads back.
    std::string output;
    std::vector<std::string> waitedFor;
    std::set<std::string> folders;
    bool claimed = false;        // this process holds the change claim
    std::string claimedFor;      // what it was claimed for
    bool claimReleasing = false; // given up once the running scripts have ended

    // Set up: the "sc config ... start= MODE" lines of a script waited for
    // (or of an undo script run) set the modes of the installed services, as
    // sc would.
    bool scSetsServices = false;

    void applyServiceLines(const std::string& bytes) {
        static const std::pair<const char*, StartMode> kModes[] = {
            {"BOOT", StartMode::Boot},         {"SYSTEM", StartMode::System},
            {"AUTO", StartMode::Auto},         {"DEMAND", StartMode::Demand},
            {"DISABLED", StartMode::Disabled}, {"DELAYED-AUTO", StartMode::DelayedAuto}};
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            std::string sc, config, service, start, mode;
            words >> sc >> config >> service >> start >> mode;
            // sc by name, or by its full path in quotes ("C:\WINDOWS\system32\sc.exe").
            const bool byPath = sc.size() > 8 && sc.front() == '"' &&
                                sc.compare(sc.size() - 8, 8, "\\sc.exe\"") == 0;
            if ((sc != "sc" && !byPath) || config != "config" || start != "start=" ||
                !services.count(service))
                continue;
            for (const auto& [word, value] : kModes)
                if (mode == word)
                    services[service] = value;
        }
    }

    // Set up: names that are links (appendPlainFile refuses them, and they
    // are no folder of the program's).
    std::set<std::string> links;

    std::vector<std::string> launchedNames() const {
        std::vector<std::string> names;
        for (const Launch& l : launches)
            names.push_back(l.name);
        return names;
    }

    // --- Read-only files, ended scripts, the current directory ---
    // Set up: read-only files (replaceFile refuses them), the scripts whose
    // interpreter has ended (finishedScripts hands them out once), the
    // current directory. Read back: the scripts written guarded.
    std::set<std::string> readOnly;
    std::vector<std::string> ended;
    std::string currentDir = "C:\\Users\\x\\Desktop";
    std::set<std::string> guarded;

    // --- Registry keys, read failures, the version, the user's answers ---
    // The registry as keys (full names) and their values. A key exists when it
    // is listed; its subkeys are the listed keys below it.
    std::map<std::string, std::vector<RegistryValue>> registryKeys;
    std::map<std::string, ErrorCode> registryReadFailures; // key -> error on any read
    std::map<std::string, ErrorCode> serviceReadFailures;
    std::map<std::string, ErrorCode> readFailures; // path -> error on readFile
    std::map<std::string, std::uint32_t>
        attributes; // path -> kAttributeReadOnly | kAttributeHidden | kAttributeSystem
    WindowsVersion version{5, 1, 2600, false};
    std::vector<bool> answers; // the user's answers to the questions, in turn
    std::vector<std::string> questions;
    std::vector<std::string> scriptRuns; // paths run and waited for
    ErrorCode runFailure = 0;

    std::map<std::string, ErrorCode> keyDeleteFailures;

    // --- Folder listings and the environment ---
    // Set up: folders by full path, each with its entries; the environment.
    std::map<std::string, std::vector<FolderEntry>> folderEntries;
    std::map<std::string, std::string> environment;

    // --- Folder identities, held files ---
    // Set up: identities of folders that the test put there (a folder made by
    // createPrivateFolder gets a new one; a name in `links` is none), files
    // whose attributes cannot be read. Read back: the files held now and all
    // ever held.
    std::map<std::string, std::string> folderIds;
    std::map<std::string, ErrorCode> attributeFailures;
    std::set<std::string> held;
    std::vector<std::string> everHeld;
    int madeFolders = 0;

    // --- Files ----------------------------------------------------------
    ErrorCode writeFile(const std::string& path, const std::string& bytes) override {
        events.push_back("write " + path);
        auto f = writeFailures.find(path);
        if (f != writeFailures.end())
            return f->second;
        files[path] = bytes;
        return 0;
    }
    ErrorCode writeFileToDisk(const std::string& path, const std::string& bytes) override {
        const ErrorCode e = writeFile(path, bytes);
        if (e == 0)
            events.push_back("on disk " + path);
        return e;
    }
    ErrorCode createNewFile(const std::string& path, const std::string& bytes) override {
        if (files.count(path))
            return kErrorFileExists;
        return writeFile(path, bytes);
    }
    ErrorCode replaceFile(const std::string& path, const std::string& bytes) override {
        events.push_back("replace " + path);
        auto f = writeFailures.find(path);
        if (f != writeFailures.end())
            return f->second;
        if (readOnly.count(path))
            return kErrorAccessDenied;
        files[path] = bytes;
        return 0;
    }
    ErrorCode appendFile(const std::string& path, const std::string& bytes) override {
        auto f = writeFailures.find(path);
        if (f != writeFailures.end())
            return f->second;
        files[path] += bytes;
        return 0;
    }
    ErrorCode appendPlainFile(const std::string& path, const std::string& bytes) override {
        if (links.count(path))
            return kErrorNotPlainEntry;
        return appendFile(path, bytes);
    }
    std::optional<std::string> readFile(const std::string& path, ErrorCode* error) override {
        auto failure = readFailures.find(path);
        if (failure != readFailures.end()) {
            if (error)
                *error = failure->second;
            return std::nullopt;
        }
        auto it = files.find(path);
        if (it == files.end()) {
            if (error)
                *error = kErrorFileNotFound;
            return std::nullopt;
        }
        return it->second;
    }
    bool fileExists(const std::string& path) override { return files.count(path) != 0; }
    ErrorCode deleteFile(const std::string& path) override {
        return files.erase(path) ? 0 : kErrorFileNotFound;
    }
    ErrorCode fileAttributes(const std::string& path, std::uint32_t* value) override {
        auto f = attributeFailures.find(path);
        if (f != attributeFailures.end())
            return f->second;
        auto it = attributes.find(path);
        *value = it == attributes.end() ? 0 : it->second;
        return 0;
    }
    std::optional<std::string> shortPath(const std::string& path) override {
        auto it = shortPaths.find(path);
        if (it == shortPaths.end())
            return std::nullopt;
        return it->second;
    }
    bool listsFile(const std::string& folder, const std::string& name) override {
        auto it = listedFiles.find(folder);
        return it != listedFiles.end() && it->second.count(name) != 0;
    }

    // --- Folders --------------------------------------------------------
    ErrorCode createFolder(const std::string& path) override {
        events.push_back("folder " + path);
        auto f = folderFailures.find(path);
        if (f != folderFailures.end())
            return f->second;
        folders.insert(path);
        return 0;
    }
    ErrorCode createPrivateFolder(const std::string& path) override {
        events.push_back("folder " + path);
        auto f = folderFailures.find(path);
        if (f != folderFailures.end())
            return f->second;
        if (links.count(path))
            return kErrorAlreadyExists;
        if (!folders.insert(path).second)
            return kErrorAlreadyExists;
        folderIds[path] = "made " + std::to_string(++madeFolders);
        return 0;
    }
    ErrorCode renameFolder(const std::string& from, const std::string& to) override {
        events.push_back("rename " + from + " " + to);
        if (folders.count(to))
            return kErrorAlreadyExists;
        if (!folders.erase(from))
            return kErrorFileNotFound;
        folders.insert(to);
        if (auto id = folderIds.find(from); id != folderIds.end()) {
            folderIds[to] = id->second;
            folderIds.erase(from);
        }
        moveAll(from + "\\", to + "\\");
        return 0;
    }
    ErrorCode removeFolder(const std::string& path) override {
        auto inside = files.lower_bound(path + "\\");
        if (inside != files.end() && inside->first.rfind(path + "\\", 0) == 0)
            return 145; // ERROR_DIR_NOT_EMPTY
        return folders.erase(path) ? 0 : kErrorFileNotFound;
    }
    std::vector<std::string> listFolders(const std::string& folder) override {
        std::vector<std::string> names;
        for (const std::string& f : folders)
            if (f.rfind(folder + "\\", 0) == 0 &&
                f.find('\\', folder.size() + 1) == std::string::npos)
                names.push_back(f.substr(folder.size() + 1));
        return names;
    }
    std::vector<FolderEntry> listFolder(const std::string& folder) override {
        auto it = folderEntries.find(folder);
        return it == folderEntries.end() ? std::vector<FolderEntry>{} : it->second;
    }
    ErrorCode folderIdentity(const std::string& path, std::string* identity) override {
        if (links.count(path))
            return kErrorNotPlainEntry;
        if (!folders.count(path))
            return kErrorFileNotFound;
        auto it = folderIds.find(path);
        *identity = it == folderIds.end() ? "planted " + path : it->second;
        return 0;
    }
    std::string currentDirectory() override { return currentDir; }
    std::string commonDataFolder() override { return commonData; }

    // --- Registry -------------------------------------------------------
    std::optional<std::string> readRegistryString(const std::string& fullName,
                                                  ErrorCode* error) override {
        auto it = registry.find(fullName);
        if (it == registry.end()) {
            if (error)
                *error = kErrorFileNotFound;
            return std::nullopt;
        }
        return it->second;
    }
    ErrorCode writeRegistryString(const std::string& fullName, const std::string& data) override {
        events.push_back("registry " + fullName);
        auto f = registryWriteFailures.find(fullName);
        if (f != registryWriteFailures.end())
            return f->second;
        registry[fullName] = data;
        return 0;
    }
    ErrorCode checkRegistryKey(const std::string& key) override {
        if (ErrorCode e = registryFailure(key))
            return e;
        return registryKeys.count(key) ? 0 : kErrorFileNotFound;
    }
    ErrorCode readRegistryValue(const std::string& key, const std::string& name,
                                RegistryValue* value) override {
        if (ErrorCode e = checkRegistryKey(key))
            return e;
        for (const RegistryValue& v : registryKeys[key])
            if (v.name == name) {
                *value = v;
                return 0;
            }
        return kErrorFileNotFound;
    }
    ErrorCode readRegistryTree(const std::string& key, RegistryTree* tree) override {
        if (ErrorCode e = checkRegistryKey(key))
            return e;
        tree->clear();
        // Listed keys are in name order, so a key comes right before its subkeys.
        for (const auto& [name, values] : registryKeys)
            if (name == key || name.rfind(key + "\\", 0) == 0)
                tree->push_back({name, values});
        return 0;
    }
    ErrorCode deleteEmptyRegistryKey(const std::string& key) override {
        events.push_back("delete key " + key);
        auto f = keyDeleteFailures.find(key);
        if (f != keyDeleteFailures.end())
            return f->second;
        if (!registryKeys.count(key))
            return 0;
        auto next = registryKeys.upper_bound(key);
        if (!registryKeys[key].empty() ||
            (next != registryKeys.end() && next->first.rfind(key + "\\", 0) == 0))
            return kErrorKeyNotEmpty;
        registryKeys.erase(key);
        return 0;
    }
    ErrorCode flushRegistryKey(const std::string& key) override {
        events.push_back("flush " + key);
        return 0;
    }

    // --- Scripts --------------------------------------------------------
    ErrorCode writeScript(const std::string& name, const std::string& bytes) override {
        const ErrorCode e = writeFile(name, bytes);
        if (e == 0)
            guarded.insert(name);
        return e;
    }
    ErrorCode launchScript(const std::string& name, ShowState show) override {
        events.push_back("launch " + name);
        auto f = launchFailures.find(name);
        if (f != launchFailures.end())
            return f->second;
        auto file = files.find(name);
        launches.push_back({name, show, file == files.end() ? std::string() : file->second});
        if (launchesKeepRunning)
            running.insert(name);
        return 0;
    }
    bool isScriptRunning(const std::string& name) override { return running.count(name) != 0; }
    bool bringScriptToFront(const std::string& name) override {
        broughtToFront.push_back(name);
        return running.count(name) != 0;
    }
    bool waitForScript(const std::string& name) override {
        events.push_back("wait " + name);
        waitedFor.push_back(name);
        bool launched = false;
        for (const Launch& l : launches) {
            launched = launched || l.name == name;
            if (l.name == name && scSetsServices)
                applyServiceLines(l.bytesAtLaunch);
        }
        auto effect = scriptEffects.find(name);
        if (launched && effect != scriptEffects.end())
            effect->second(*this);
        running.erase(name);
        return launched;
    }
    std::vector<std::string> finishedScripts() override {
        std::vector<std::string> names;
        names.swap(ended);
        for (const std::string& name : names)
            running.erase(name);
        settleClaim();
        return names;
    }
    ErrorCode runScriptAndWait(const std::string& path, std::uint32_t* exitCode) override {
        events.push_back("run " + path);
        if (runFailure)
            return runFailure;
        scriptRuns.push_back(path);
        if (scSetsServices && files.count(path))
            applyServiceLines(files[path]);
        auto effect = scriptEffects.find(path.substr(path.rfind('\\') + 1));
        if (effect != scriptEffects.end())
            effect->second(*this);
        *exitCode = 0;
        return 0;
    }

    // --- MachineFacts ---------------------------------------------------
    std::string windowsDirectory() override { return windowsDir; }
    WindowsVersion windowsVersion() override { return version; }
    bool isAdministrator() override { return admin; }
    ErrorCode readServiceStartMode(const std::string& service, StartMode* mode) override {
        auto f = serviceReadFailures.find(service);
        if (f != serviceReadFailures.end())
            return f->second;
        auto it = services.find(service);
        if (it == services.end())
            return kErrorServiceDoesNotExist;
        *mode = it->second;
        return 0;
    }
    std::optional<std::string> environmentVariable(const std::string& name) override {
        auto it = environment.find(name);
        if (it == environment.end())
            return std::nullopt;
        return it->second;
    }
    LocalTime localTime() override { return now; }

    // --- Locks ----------------------------------------------------------
    std::optional<std::string> holdFile(const std::string& path, ErrorCode* error) override {
        std::optional<std::string> bytes = readFile(path, error);
        if (bytes) {
            held.insert(path);
            everHeld.push_back(path);
        }
        return bytes;
    }
    void releaseHeldFiles() override {
        if (!held.empty())
            events.push_back("release files");
        held.clear();
    }
    ErrorCode claimChange(const std::string& lockFile, const std::string& what,
                          std::string* holder) override {
        settleClaim();
        events.push_back("claim " + what + " " + lockFile);
        if (!otherChange.empty() || claimed) {
            *holder = claimed ? claimedFor : otherChange;
            return kErrorChangeGoing;
        }
        if (auto f = writeFailures.find(lockFile); f != writeFailures.end())
            return f->second;
        claimed = true;
        claimedFor = what;
        claimReleasing = false;
        return 0;
    }
    void releaseChange() override {
        if (claimed)
            events.push_back("release change");
        claimReleasing = claimed;
        settleClaim();
    }

    // --- UserDialogs and Console ----------------------------------------
    void notify(const std::string& text) override {
        events.push_back("notify " + text);
        notifications.push_back(text);
    }
    bool ask(const std::string& text) override {
        events.push_back("ask " + text);
        questions.push_back(text);
        if (questions.size() > answers.size())
            return false;
        return answers[questions.size() - 1];
    }
    bool openUrl(const std::string& url) override {
        openedUrls.push_back(url);
        return true;
    }
    bool writeOutput(const std::string& text) override {
        if (hasOutput)
            output += text;
        return hasOutput;
    }

    // Where the program keeps its own records: its folder's identity, the
    // count and the registrations of its snapshots.
    static constexpr char kProgramRecords[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor";

    // The events and files apart from those of the undo snapshots.
    // The events, without the snapshots' folders, files and records.
    std::vector<std::string> eventsOutsideSnapshots() const {
        std::vector<std::string> found;
        for (const std::string& e : events)
            if (e.find(commonData) == std::string::npos &&
                e.find(kProgramRecords) == std::string::npos && e.rfind("claim ", 0) != 0 &&
                e.rfind("release ", 0) != 0)
                found.push_back(e);
        return found;
    }
    std::size_t registryOutsideSnapshots() const {
        std::size_t n = 0;
        for (const auto& value : registry)
            n += value.first.rfind(kProgramRecords, 0) != 0;
        return n;
    }
    std::size_t filesOutsideSnapshots() const {
        std::size_t n = 0;
        for (const auto& f : files)
            n += f.first.rfind(commonData, 0) != 0;
        return n;
    }

private:
    // A claim given up goes once no script runs any more.
    void settleClaim() {
        if (claimReleasing && running.empty())
            claimed = claimReleasing = false;
    }
    ErrorCode registryFailure(const std::string& key) const {
        for (const auto& [failing, error] : registryReadFailures)
            if (key == failing || key.rfind(failing + "\\", 0) == 0)
                return error;
        return 0;
    }
    void moveAll(const std::string& from, const std::string& to) {
        std::map<std::string, std::string> moved;
        for (auto it = files.begin(); it != files.end();) {
            if (it->first.rfind(from, 0) == 0) {
                moved[to + it->first.substr(from.size())] = it->second;
                it = files.erase(it);
            } else {
                ++it;
            }
        }
        files.insert(moved.begin(), moved.end());
        std::set<std::string> movedFolders;
        for (auto it = folders.begin(); it != folders.end();) {
            if (it->rfind(from, 0) == 0) {
                movedFolders.insert(to + it->substr(from.size()));
                it = folders.erase(it);
            } else {
                ++it;
            }
        }
        folders.insert(movedFolders.begin(), movedFolders.end());
    }
};
