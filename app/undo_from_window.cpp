#include "app/undo_from_window.h"

#include "actions/undo_plan.h"
#include "app/run_from_window.h"
#include "script/error_text.h"

bool undoFromWindow(Platform& sys, UserDialogs& user, const std::vector<SnapshotEntry>& entries,
                    std::size_t index) {
    return runFromWindow(sys, user, undoPlan(entries, index)) == RunOutcome::Done;
}

bool setAsideFromWindow(Platform& sys, UserDialogs& user, const SnapshotEntry& entry) {
    const std::string named = entry.time + " 的“" + entry.action + "”";
    if (!user.ask("搁置" + named + "后，它不再列出，也不再由“撤销”运行；它的文件夹 " +
                  entry.folder + " 保持原样。是否搁置？"))
        return false;
    if (ErrorCode e = setAside(sys, entry)) {
        user.notify("无法搁置" + named + "：" + describeError(e) + "。");
        return false;
    }
    return true;
}
