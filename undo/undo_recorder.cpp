#include "undo/undo_recorder.h"

#include "preview/setting_lines.h"
#include "undo/snapshot.h"
#include "undo/snapshot_store.h"

std::string snapshotFailureText(Platform& sys, const std::string& failure) {
    std::string text =
        "无法保存撤销所需的快照（" + failure + "）。为了能够撤销，本次没有作任何更改。";
    // Only administrators may write the snapshots, as only they may run them.
    if (!sys.isAdministrator())
        text += "\n需要管理员权限，请以管理员身份运行本程序。";
    return text;
}

std::optional<std::string> saveUndoSnapshot(Platform& sys, const Plan& plan) {
    std::string failure;
    const SnapshotScope scope = scopeOf(plan);
    const std::optional<Snapshot> shot = takeSnapshot(sys, scope, &failure);
    if (shot && shot->empty())
        return std::nullopt;
    if (shot) {
        std::vector<std::string> changes;
        for (const SettingState& s : settingStates(sys, plan))
            if (s.state == SettingState::State::Differs)
                changes.push_back(whatIfLine(s));
        const std::optional<std::string> saveFailure =
            saveSnapshot(sys, *shot, scope, plan.action, changes);
        if (!saveFailure)
            return std::nullopt;
        failure = *saveFailure;
    }
    return snapshotFailureText(sys, failure);
}
