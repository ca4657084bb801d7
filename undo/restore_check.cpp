#include "undo/restore_check.h"

#include "platform/cp936.h"
#include "script/error_text.h"
#include "undo/snapshot.h"
#include "undo/text.h"
#include "undo/undo_scripts.h"

#include <algorithm>

namespace {

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

void add(std::vector<std::string>* found, const std::string& item) {
    if (!contains(*found, item))
        found->push_back(item);
}

// The lines (of undo.bat) or the blocks' first lines (of undo.reg: a key
// and its values) that the machine as it stands now gives otherwise: those
// of the record it no longer gives; when there are none, those it gives
// that the record has not (an attribute more, a subkey more).
void differing(const std::string& saved, const std::string& now, const std::string& separator,
               std::size_t skip, std::vector<std::string>* found) {
    const std::vector<std::string> before = split(saved, separator);
    const std::vector<std::string> after = split(now, separator);
    bool any = false;
    for (std::size_t i = skip; i < before.size(); ++i)
        if (!before[i].empty() && !contains(after, before[i])) {
            add(found, before[i].substr(0, before[i].find("\r\n")));
            any = true;
        }
    for (std::size_t i = skip; i < after.size() && !any; ++i)
        if (!after[i].empty() && !contains(before, after[i]))
            add(found, after[i].substr(0, after[i].find("\r\n")));
}

// A key the change created is back as it was when it is gone, or when
// something else keeps it (the values the change wrote there are checked
// with the others); a key missing now that the change did not create was
// there before. `missing` (the keys missing now that the plan creates)
// becomes the record's list when everything is so.
bool createdKeysBack(Platform& sys, const SnapshotScope& scope, std::vector<std::string>* missing,
                     std::vector<std::string>* found, std::string* failure) {
    for (const std::string& key : *missing)
        if (!contains(scope.createdKeys, key))
            add(found, "注册表项 " + key + "（更改前就有）");
    for (const std::string& key : scope.createdKeys) {
        if (contains(*missing, key))
            continue;
        RegistryTree tree;
        const ErrorCode e = sys.readRegistryTree(key, &tree);
        // Gone since the snapshot was taken now; or holding a name no text
        // carries, which the change did not write.
        if (e == kErrorFileNotFound || e == kErrorNoUnicodeTranslation)
            continue;
        if (e != 0) {
            *failure = "无法读取注册表项 " + key + "：" + describeError(e);
            return false;
        }
        if (tree.size() == 1 && tree[0].values.empty())
            add(found, "注册表项 " + key + "（这次更改新建，现在是空的）");
    }
    *missing = scope.createdKeys;
    return true;
}

// The line of undo.bat that gives one service back in one state, with the
// tools of that Windows folder.
std::string serviceLine(const ServiceState& state, const std::string& windowsFolder) {
    Snapshot none;
    none.windowsFolder = windowsFolder;
    Snapshot one = none;
    one.services = {state};
    const ScriptLines without = undoBatLines(none, std::string(), LocalTime());
    for (const std::string& line : undoBatLines(one, std::string(), LocalTime()))
        if (!contains(without, line))
            return line;
    return std::string();
}

// A service installed or removed since the snapshot was taken is nothing an
// undo could give back: its line moves from what did not come back to the notes.
void serviceChanges(const Snapshot& now, std::vector<std::string>* found,
                    std::vector<std::string>* notes) {
    const StartMode modes[] = {StartMode::Boot,   StartMode::System,   StartMode::Auto,
                               StartMode::Demand, StartMode::Disabled, StartMode::DelayedAuto};
    for (const ServiceState& s : now.services) {
        std::vector<std::optional<StartMode>> before;
        if (s.mode)
            before.push_back(std::nullopt);
        else
            before.assign(std::begin(modes), std::end(modes));
        for (const std::optional<StartMode>& mode : before) {
            auto line = std::find(found->begin(), found->end(),
                                  serviceLine({s.service, mode}, now.windowsFolder));
            if (line == found->end())
                continue;
            found->erase(line);
            notes->push_back(s.mode ? "服务 " + s.service + " 是在这次更改之后安装的，未作更改。"
                                    : "服务 " + s.service +
                                          " 已在这次更改之后删除，无法恢复它的启动方式。");
        }
    }
}

} // namespace

bool notRestored(Platform& sys, const SnapshotEntry& entry, const SnapshotScope& scope,
                 std::vector<std::string>* found, std::string* failure,
                 std::vector<std::string>* notes) {
    std::optional<Snapshot> shot = takeSnapshot(sys, scope, failure);
    if (shot && !createdKeysBack(sys, scope, &shot->newKeys, found, failure))
        return false;
    std::vector<SnapshotFile> files;
    if (!shot || !snapshotFiles(*shot, scope, entry.action, sys.localTime(), &files, failure))
        return false;
    for (const SnapshotFile& file : files) {
        ErrorCode e = 0;
        const std::string path = entry.folder + "\\" + file.name;
        std::optional<std::string> saved = sys.readFile(path, &e);
        // A change that touched no registry value has no undo.reg; undo.bat
        // then says whether it should.
        if (!saved && file.name == kUndoRegName && e == kErrorFileNotFound)
            saved = std::string();
        // A file that did not exist before has no saved copy: the file
        // itself is what did not go.
        const FileState* now = nullptr;
        for (const FileState& f : shot->files)
            if (f.savedName == file.name)
                now = &f;
        if (!saved && now && e == kErrorFileNotFound) {
            add(found, "文件 " + now->path + "（更改前没有这个文件，现在仍在）");
            continue;
        }
        if (!saved) {
            *failure = "无法读取 " + path + "：" + describeError(e);
            return false;
        }
        if (*saved == file.bytes)
            continue;
        if (file.name == kUndoBatName)
            differing(fromCp936(*saved), fromCp936(file.bytes), "\r\n", kUndoBatHeaderLines, found);
        else if (file.name == kUndoRegName) // the first block is the header
            differing(utf16leToUtf8(*saved).value_or(std::string()),
                      utf16leToUtf8(file.bytes).value_or(std::string()), "\r\n\r\n", 1, found);
        else if (now)
            found->push_back("文件 " + now->path);
    }
    if (notes)
        serviceChanges(*shot, found, notes);
    return true;
}
