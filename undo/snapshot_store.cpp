#include "undo/snapshot_store.h"

#include "platform/cp936.h"
#include "platform/unicode_text.h"
#include "script/error_text.h"
#include "undo/snapshot_scope.h"
#include "undo/text.h"
#include "undo/undo_scripts.h"

namespace {

const char kActionName[] = "action.txt";
const char kUndoneName[] = "undone.txt";
// UTF-8 with a byte-order mark, which Notepad on XP reads whatever the code
// page: registry names need not fit GBK.
const char kChangesName[] = "changes.txt";
const char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr std::uint32_t kSameSecond = 9; // snapshots one second can hold

// "20240501-123005": the time's digits, date and time apart.
std::string stamp(const LocalTime& t) {
    std::string name;
    for (char c : timeText(t))
        if (c >= '0' && c <= '9')
            name += c;
    return name.insert(8, "-");
}

// "YYYYMMDD-HHMMSS", or with "-2" to "-9" for a later one of the same second.
bool isSnapshotName(const std::string& name) {
    const bool later = name.size() == 17 && name[15] == '-' && name[16] >= '2' && name[16] <= '9';
    if (name.size() != 15 && !later)
        return false;
    for (std::size_t i = 0; i < 15; ++i)
        if (i == 8 ? name[i] != '-' : name[i] < '0' || name[i] > '9')
            return false;
    return true;
}

// "2024-05-01 12:30:05" from the folder's name.
std::string displayTime(const std::string& name) {
    std::string text = "0000-00-00 00:00:00";
    for (std::size_t from = 0, to = 0; from < 15; ++from, ++to) {
        if (from == 8)
            ++from; // the dash between date and time
        while (text[to] != '0')
            ++to;
        text[to] = name[from];
    }
    return text;
}

std::string fail(const std::string& what, const std::string& path, ErrorCode e) {
    return what + " " + path + "：" + describeError(e);
}

// The n-th name for a folder: `base` itself first when `plain`, then with
// "-2" to "-9"; otherwise with "-1" to "-9".
std::string numbered(const std::string& base, std::uint32_t n, bool plain) {
    return n == 1 && plain ? base : base + "-" + decimalText(n);
}

} // namespace

std::string snapshotsFolder(Platform& sys) {
    const std::string appData = sys.commonDataFolder();
    return appData.empty() ? appData : appData + "\\Velkor\\undo";
}

bool snapshotFiles(const Snapshot& shot, const SnapshotScope& scope, const std::string& action,
                   const LocalTime& time, std::vector<SnapshotFile>* files, std::string* failure) {
    std::optional<std::string> bat = scriptBytes(undoBatLines(shot, action, time));
    std::optional<std::string> reg = undoRegBytes(shot);
    SnapshotScope saved = scope;
    saved.createdKeys = shot.newKeys;
    std::optional<std::string> scopeBytes = scopeText(saved);
    if (!bat || !reg || !scopeBytes) {
        *failure = "撤销文件无法表示其中的某些名称";
        return false;
    }
    files->push_back({kUndoBatName, std::move(*bat)});
    if (needsUndoReg(shot))
        files->push_back({kUndoRegName, std::move(*reg)});
    for (const FileState& f : shot.files)
        if (f.bytes)
            files->push_back({f.savedName, *f.bytes});
    files->push_back({kActionName, toCp936(action + "\r\n").value_or(std::string())});
    files->push_back({kScopeName, std::move(*scopeBytes)});
    return true;
}

std::optional<std::string> saveSnapshot(Platform& sys, const Snapshot& shot,
                                        const SnapshotScope& scope, const std::string& action,
                                        const std::vector<std::string>& changes) {
    const std::string root = snapshotsFolder(sys);
    if (root.empty())
        return std::string("找不到所有用户的应用程序数据文件夹");
    for (const std::string& folder : {root.substr(0, root.rfind('\\')), root})
        if (ErrorCode e = sys.createPrivateFolder(folder); e && e != kErrorAlreadyExists)
            return fail("无法创建文件夹", folder, e);
    const LocalTime now = sys.localTime();
    std::string failure;
    std::vector<SnapshotFile> files;
    if (!snapshotFiles(shot, scope, action, now, &files, &failure))
        return failure;
    // Beside the files an undo is checked against, not among them.
    if (!changes.empty()) {
        std::string text = kUtf8Mark;
        for (const std::string& line : changes)
            text += line + "\r\n";
        files.push_back({kChangesName, text});
    }

    // Written whole under a name that is never listed, then renamed.
    const std::string name = stamp(now);
    std::string temp;
    for (std::uint32_t n = 1;; ++n) {
        temp = numbered(root + "\\~" + name, n, false);
        const ErrorCode e = sys.createPrivateFolder(temp);
        if (e == 0)
            break;
        if (e != kErrorAlreadyExists || n == kSameSecond)
            return fail("无法创建文件夹", temp, e);
    }
    std::optional<std::string> result;
    std::size_t written = 0;
    for (; written < files.size() && !result; ++written) {
        const std::string path = temp + "\\" + files[written].name;
        if (ErrorCode e = sys.writeFile(path, files[written].bytes))
            result = fail("无法写入", path, e);
    }
    for (std::uint32_t n = 1; !result; ++n) {
        const std::string folder = numbered(root + "\\" + name, n, true);
        const ErrorCode e = sys.renameFolder(temp, folder);
        if (e == 0) {
            // Recorded once complete and in its place, so that no record
            // ever names a folder that is not the program's.
            const std::string record = kSnapshotRecords + folder.substr(root.size() + 1);
            if (ErrorCode r = sys.writeRegistryString(record, action)) {
                result = fail("无法记录快照", record, r);
                temp = folder; // an unrecorded snapshot is of no use: it goes
                break;
            }
            return std::nullopt;
        }
        if (e != kErrorAlreadyExists || n == kSameSecond)
            result = fail("无法创建文件夹", folder, e);
    }
    for (std::size_t i = 0; i < written; ++i)
        sys.deleteFile(temp + "\\" + files[i].name);
    sys.removeFolder(temp);
    return result;
}

std::vector<SnapshotEntry> undoableSnapshots(Platform& sys) {
    const std::string root = snapshotsFolder(sys);
    std::vector<SnapshotEntry> entries;
    if (root.empty())
        return entries;
    std::vector<std::string> names = sys.listFolders(root);
    // Newest first: the names sort by time.
    for (std::size_t i = 1; i < names.size(); ++i)
        for (std::size_t j = i; j > 0 && names[j - 1] < names[j]; --j)
            names[j].swap(names[j - 1]);
    for (const std::string& name : names) {
        const std::string folder = root + "\\" + name;
        if (!isSnapshotName(name) || !sys.readRegistryString(kSnapshotRecords + name, nullptr) ||
            sys.fileExists(folder + "\\" + kUndoneName))
            continue;
        const std::optional<std::string> action =
            sys.readFile(folder + "\\" + kActionName, nullptr);
        if (!action)
            continue;
        const std::string text = fromCp936(*action);
        entries.push_back({folder, displayTime(name), text.substr(0, text.find_first_of("\r\n"))});
    }
    return entries;
}

ErrorCode markUndone(Platform& sys, const SnapshotEntry& entry) {
    return sys.writeFile(entry.folder + "\\" + kUndoneName, timeText(sys.localTime()) + "\r\n");
}

std::vector<std::string> snapshotChanges(Platform& sys, const SnapshotEntry& entry) {
    std::vector<std::string> lines;
    std::optional<std::string> bytes = sys.readFile(entry.folder + "\\" + kChangesName, nullptr);
    if (!bytes || bytes->compare(0, 3, kUtf8Mark) != 0)
        return lines;
    for (const std::string& line : split(sanitizeUtf8(bytes->substr(3)), "\r\n"))
        if (!line.empty())
            lines.push_back(line);
    return lines;
}
