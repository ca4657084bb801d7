#include "undo/snapshot_store.h"

#include "platform/cp936.h"
#include "platform/unicode_text.h"
#include "script/error_text.h"
#include "undo/program_folder.h"
#include "undo/sha256.h"
#include "undo/snapshot_scope.h"
#include "undo/text.h"
#include "undo/undo_scripts.h"

#include <algorithm>

namespace {

const char kActionName[] = "action.txt";
const char kUndoneName[] = "undone.txt";
const char kSetAsideName[] = "set-aside.txt";
const char kRecordsKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor\\Undo";
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

// The number of the next record: one more than the last one counted, and
// than any registered (should the count have been lost).
std::uint32_t nextSequence(Platform& sys) {
    std::uint32_t last =
        parseDecimal(sys.readRegistryString(kSnapshotSequence, nullptr).value_or("")).value_or(0);
    const std::string root = snapshotsFolder(sys);
    for (const std::string& name : sys.listFolders(root))
        if (isSnapshotName(name))
            if (std::optional<std::string> registered =
                    sys.readRegistryString(kSnapshotRecords + name, nullptr))
                last = std::max(last, parseRecord(*registered).sequence);
    return last + 1;
}

} // namespace

std::string snapshotsFolder(Platform& sys) {
    const std::string folder = programFolder(sys);
    return folder.empty() ? folder : folder + "\\undo";
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
    if (std::optional<std::string> unsafe = secureProgramFolder(sys))
        return unsafe;
    const std::string root = snapshotsFolder(sys);
    if (ErrorCode e = sys.createPrivateFolder(root); e && e != kErrorAlreadyExists)
        return fail("无法创建文件夹", root, e);
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
        // On the disk before the change: after a power cut an undo must
        // not copy back zeros where the file's bytes should be.
        if (ErrorCode e = sys.writeFileToDisk(path, files[written].bytes))
            result = fail("无法写入", path, e);
    }
    SnapshotRecord record{action, nextSequence(sys), {}};
    for (const SnapshotFile& file : files)
        record.digests.emplace_back(file.name, sha256Hex(file.bytes));
    for (std::uint32_t n = 1; !result; ++n) {
        const std::string folder = numbered(root + "\\" + name, n, true);
        const ErrorCode e = sys.renameFolder(temp, folder);
        if (e == 0) {
            // Recorded once complete and in its place, so that no record
            // ever names a folder that is not the program's.
            const std::string value = kSnapshotRecords + folder.substr(root.size() + 1);
            ErrorCode r = sys.writeRegistryString(kSnapshotSequence, decimalText(record.sequence));
            if (!r && !(r = sys.writeRegistryString(value, recordText(record))))
                r = sys.flushRegistryKey(kRecordsKey);
            if (r) {
                result = fail("无法记录快照", value, r);
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
    for (const std::string& name : sys.listFolders(root)) {
        const std::string folder = root + "\\" + name;
        if (!isSnapshotName(name) || sys.fileExists(folder + "\\" + kUndoneName) ||
            sys.fileExists(folder + "\\" + kSetAsideName))
            continue;
        const std::optional<std::string> registered =
            sys.readRegistryString(kSnapshotRecords + name, nullptr);
        if (!registered)
            continue;
        SnapshotRecord record = parseRecord(*registered);
        const std::string action = record.action;
        entries.push_back({folder, displayTime(name), action, name, std::move(record)});
    }
    // The last one made first: by the program's count, not by the clock,
    // which may have gone back meanwhile. Records without a count (of an
    // earlier version) come after, by their names.
    const auto newer = [](const SnapshotEntry& a, const SnapshotEntry& b) {
        if (a.record.sequence != b.record.sequence)
            return a.record.sequence > b.record.sequence;
        return a.name > b.name;
    };
    for (std::size_t i = 1; i < entries.size(); ++i)
        for (std::size_t j = i; j > 0 && newer(entries[j], entries[j - 1]); --j)
            std::swap(entries[j], entries[j - 1]);
    return entries;
}

ErrorCode markUndone(Platform& sys, const SnapshotEntry& entry) {
    return sys.writeFile(entry.folder + "\\" + kUndoneName, timeText(sys.localTime()) + "\r\n");
}

ErrorCode setAside(Platform& sys, const SnapshotEntry& entry) {
    return sys.writeFile(entry.folder + "\\" + kSetAsideName, timeText(sys.localTime()) + "\r\n");
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
