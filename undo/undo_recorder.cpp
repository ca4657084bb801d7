#include "undo/undo_recorder.h"

#include "preview/setting_lines.h"
#include "undo/change_claim.h"
#include "undo/snapshot.h"
#include "undo/snapshot_store.h"

namespace {

std::string snapshotFailure(Platform& sys, const std::string& failure) {
    std::string text =
        "无法保存撤销所需的快照（" + failure + "）。为了能够撤销，本次没有作任何更改。";
    // Only administrators may write the snapshots, as only they may run them.
    if (!sys.isAdministrator())
        text += "\n需要管理员权限，请以管理员身份运行本程序。";
    return text;
}

} // namespace

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
    return snapshotFailure(sys, failure);
}

std::optional<std::string> claimAndSaveSnapshot(Platform& sys, const Plan& plan) {
    // The claim's file lies in the program's folder, beside the snapshots:
    // what keeps it from being taken keeps the snapshot from being saved.
    if (std::optional<ClaimFailure> refusal = claimMachineChange(sys, "“" + plan.action + "”"))
        return refusal->going ? changeGoingText(*refusal) : snapshotFailure(sys, refusal->failure);
    std::optional<std::string> failure = saveUndoSnapshot(sys, plan);
    if (failure)
        sys.releaseChange();
    return failure;
}
