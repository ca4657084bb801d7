#include "actions/undo_plan.h"

#include "platform/number_text.h"

std::string snapshotLabel(const SnapshotEntry& entry) {
    return entry.time + "  " + entry.action;
}

Plan undoRecordPlan(const std::optional<std::string>& record) {
    Plan plan;
    plan.action = kUndoAction;
    plan.undo = UndoRequest{record};
    plan.needsAdministrator = true;
    plan.administratorRefusal = "需要管理员权限才能撤销更改，请以管理员身份运行本程序。";
    return plan;
}

Plan undoPlan(const std::vector<SnapshotEntry>& entries, std::size_t index) {
    Plan plan = undoRecordPlan(entries[index].name);
    if (index > 0)
        plan.question = "在这次更改之后还有 " + decimalText(static_cast<std::uint32_t>(index)) +
                        " 次更改没有撤销，撤销这一次可能覆盖它们所作的设置。是否继续？";
    return plan;
}
