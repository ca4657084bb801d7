#include "actions/undo_run.h"

#include "script/error_text.h"
#include "undo/restore_check.h"
#include "undo/sha256.h"
#include "undo/snapshot_scope.h"
#include "undo/snapshot_store.h"
#include "undo/undo_scripts.h"

namespace {

const char kStillRunning[] = "这次更改的脚本仍在运行，请稍候再试。";
const char kRecordGone[] =
    "无法撤销：所选的更改已不在可撤销的记录中（可能已被撤销或搁置）。本次没有作任何更改。";

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

ActionResult result(const Plan& plan, RunOutcome outcome, const std::string& message,
                    RefusalReason reason = RefusalReason::None) {
    return actionResult(plan.action, outcome, message, reason);
}

} // namespace

ActionResult runUndo(Platform& sys, const Plan& plan, const UndoRequest& request) {
    // As the records are now that no change can come between.
    const std::vector<SnapshotEntry> entries = undoableSnapshots(sys);
    std::size_t index = 0;
    while (request.record && index < entries.size() && entries[index].name != *request.record)
        ++index;
    if (index == entries.size())
        return result(plan, RunOutcome::Refused, kRecordGone, RefusalReason::RecordGone);
    const SnapshotEntry& entry = entries[index];
    const std::string named = " " + entry.time + " 的“" + entry.action + "”";

    const HeldFiles held{sys};
    if (std::optional<std::string> changed = holdRecordedFiles(sys, entry))
        return result(plan, RunOutcome::Refused,
                      "无法撤销" + named + "：" + *changed + "。本次没有作任何更改。",
                      RefusalReason::NotRecorded);
    ErrorCode e = 0;
    const std::string scopePath = entry.folder + "\\" + kScopeName;
    const std::optional<std::string> text = sys.readFile(scopePath, &e);
    SnapshotScope scope;
    if (!text || !parseScope(*text, &scope))
        return result(plan, RunOutcome::Refused,
                      "无法撤销" + named + "：无法读取 " + scopePath + "（" +
                          (text ? std::string("内容已损坏") : describeError(e)) + "）。",
                      RefusalReason::NotRecorded);
    for (const std::string& script : scope.scripts)
        if (sys.isScriptRunning(script))
            return result(plan, RunOutcome::Refused, kStillRunning, RefusalReason::StillRunning);

    const std::string bat = entry.folder + "\\" + kUndoBatName;
    std::uint32_t exitCode = 0;
    if ((e = sys.runScriptAndWait(bat, &exitCode)))
        return result(plan, RunOutcome::Failed,
                      "无法运行撤销脚本 " + bat + "：" + describeError(e) + "。");
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
        return result(plan, RunOutcome::Failed,
                      notice + "\n可以稍后再试，或以管理员身份运行 " + bat + "。");
    }
    std::string noted;
    for (const std::string& note : notes)
        noted += "\n" + note;
    // Marked, so that it is not offered again.
    if ((e = markUndone(sys, entry)))
        return result(plan, RunOutcome::Done,
                      "已撤销" + named + "，但无法把它标记为已撤销（" + describeError(e) + "）。" +
                          noted);
    return result(plan, RunOutcome::Done, "已撤销" + named + "。" + noted);
}
