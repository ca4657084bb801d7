#include "undo/undo_action.h"

#include "script/error_text.h"
#include "undo/change_claim.h"
#include "undo/restore_check.h"
#include "undo/sha256.h"
#include "undo/snapshot_scope.h"
#include "undo/text.h"
#include "undo/undo_scripts.h"

namespace {

const char kNeedsAdministrator[] = "需要管理员权限才能撤销更改，请以管理员身份运行本程序。";
const char kStillRunning[] = "这次更改的脚本仍在运行，请稍候再试。";

// The files of the snapshot held so that nobody can change them until the
// undo has ended, each with the digest that its registration recorded;
// nullopt when all are as the program wrote them, else why not.
std::optional<std::string> holdRecordedFiles(Platform& sys, const SnapshotEntry& entry) {
    if (entry.record.digests.empty())
        return std::string("登记中没有记录文件的校验值，无法确认记录未被改动");
    for (const auto& [name, digest] : entry.record.digests) {
        const std::string path = entry.folder + "\\" + name;
        ErrorCode e = 0;
        const std::optional<std::string> bytes = sys.holdFile(path, &e);
        if (!bytes)
            return "无法读取 " + path + "（" + describeError(e) + "）";
        if (sha256Hex(*bytes) != digest)
            return "文件 " + path + " 与保存记录时不同，可能已被改动";
    }
    return std::nullopt;
}

// The files stay held until the undo has ended, whichever way it ends.
struct HeldFiles {
    Platform& sys;
    ~HeldFiles() { sys.releaseHeldFiles(); }
};

} // namespace

std::string snapshotLabel(const SnapshotEntry& entry) {
    return entry.time + "  " + entry.action;
}

bool undoSnapshot(Platform& sys, const std::vector<SnapshotEntry>& entries, std::size_t index) {
    const SnapshotEntry& entry = entries[index];
    const std::string named = " " + entry.time + " 的“" + entry.action + "”";
    if (index > 0 &&
        !sys.ask("在这次更改之后还有 " + decimalText(static_cast<std::uint32_t>(index)) +
                 " 次更改没有撤销，撤销这一次可能覆盖它们所作的设置。是否继续？"))
        return false;
    if (!sys.isAdministrator()) {
        sys.notify(kNeedsAdministrator);
        return false;
    }
    const HeldFiles held{sys};
    if (std::optional<std::string> changed = holdRecordedFiles(sys, entry)) {
        sys.notify("无法撤销" + named + "：" + *changed + "。本次没有作任何更改。");
        return false;
    }
    ErrorCode e = 0;
    const std::string scopePath = entry.folder + "\\" + kScopeName;
    const std::optional<std::string> text = sys.readFile(scopePath, &e);
    SnapshotScope scope;
    if (!text || !parseScope(*text, &scope)) {
        sys.notify("无法撤销" + named + "：无法读取 " + scopePath + "（" +
                   (text ? std::string("内容已损坏") : describeError(e)) + "）。");
        return false;
    }
    for (const std::string& script : scope.scripts)
        if (sys.isScriptRunning(script)) {
            sys.notify(kStillRunning);
            return false;
        }

    const std::string bat = entry.folder + "\\" + kUndoBatName;
    std::uint32_t exitCode = 0;
    if ((e = sys.runScriptAndWait(bat, &exitCode))) {
        sys.notify("无法运行撤销脚本 " + bat + "：" + describeError(e) + "。");
        return false;
    }
    // The keys the change created go once nothing else is left in them,
    // from the bottom up: what another program put there since stays.
    for (auto k = scope.createdKeys.rbegin(); k != scope.createdKeys.rend(); ++k)
        sys.deleteEmptyRegistryKey(*k);
    // The script's exit status says little (regedit and del report no
    // failure); the machine itself says whether everything is back.
    std::string failure;
    std::vector<std::string> left;
    std::vector<std::string> notes;
    const bool checked = notRestored(sys, entry, scope, &left, &failure, &notes);
    if (!checked || !left.empty()) {
        std::string notice = "撤销" + named + "未能全部完成";
        notice += checked ? "，以下内容没有生效：" : "：无法检查结果（" + failure + "）。";
        for (const std::string& item : left)
            notice += "\n" + item;
        sys.notify(notice + "\n可以稍后再试，或以管理员身份运行 " + bat + "。");
        return false;
    }
    std::string noted;
    for (const std::string& note : notes)
        noted += "\n" + note;
    // Marked, so that it is not offered again.
    if ((e = markUndone(sys, entry))) {
        sys.notify("已撤销" + named + "，但无法把它标记为已撤销（" + describeError(e) + "）。" +
                   noted);
        return true;
    }
    sys.notify("已撤销" + named + "。" + noted);
    return true;
}

bool undoFromWindow(Platform& sys, const std::vector<SnapshotEntry>& entries, std::size_t index) {
    // Without the rights the undo itself says so; no claim could be taken.
    if (!sys.isAdministrator())
        return undoSnapshot(sys, entries, index);
    if (std::optional<std::string> refusal = claimChangeForWindow(sys, kUndoClaim)) {
        sys.notify(*refusal);
        return false;
    }
    const bool undone = undoSnapshot(sys, entries, index);
    sys.releaseChange();
    return undone;
}

bool setAsideSnapshot(Platform& sys, const SnapshotEntry& entry) {
    const std::string named = entry.time + " 的“" + entry.action + "”";
    if (!sys.ask("搁置" + named + "后，它不再列出，也不再由“撤销”运行；它的文件夹 " + entry.folder +
                 " 保持原样。是否搁置？"))
        return false;
    if (ErrorCode e = setAside(sys, entry)) {
        sys.notify("无法搁置" + named + "：" + describeError(e) + "。");
        return false;
    }
    return true;
}
