#include "actions/action_runner.h"

#include "actions/plan_check.h"
#include "actions/undo_run.h"
#include "script/error_text.h"
#include "script/network_folder.h"
#include "services/system_guard.h"
#include "undo/change_claim.h"
#include "undo/undo_recorder.h"

namespace {

const char kNeedsAdministrator[] =
    "需要管理员权限才能更改系统服务和注册表，请以管理员身份运行本程序。";
const char kNeedsAdministratorForFiles[] =
    "需要管理员权限才能更改系统文件，请以管理员身份运行本程序。";
const char kStillRunning[] = "上一次的优化仍在进行中，请稍候再试。";
const char kAdministratorHint[] = "修改这些信息需要管理员权限，请以管理员身份运行本程序。";

ActionResult refused(const Plan& plan, RefusalReason reason, const std::string& message,
                     const std::string& detail = "") {
    return actionResult(plan.action, RunOutcome::Refused, message, reason, detail);
}

// Why the plan may not run now, found before anything is written.
std::optional<ActionResult> guardRefusal(Platform& sys, const Plan& plan,
                                         const RunOptions& options) {
    if (plan.refusal)
        return refused(plan, RefusalReason::PlanRefused, *plan.refusal);
    if (!options.confirmed) {
        if (plan.question)
            return refused(plan, RefusalReason::NeedsConfirmation, *plan.question);
        if (plan.asksOnOtherWindows) {
            const WindowsVersion version = sys.windowsVersion();
            if (!servicesDesignedFor(version))
                return refused(plan, RefusalReason::NeedsConfirmation,
                               otherSystemQuestion(version));
        }
    }
    if (!plan.scripts.empty())
        if (std::optional<std::string> refusal = networkFolderRefusal(sys.currentDirectory()))
            return refused(plan, RefusalReason::NetworkFolder, *refusal);
    if (plan.needsAdministrator && !sys.isAdministrator())
        return refused(plan, RefusalReason::NeedsAdministrator,
                       plan.administratorRefusal ? *plan.administratorRefusal
                       : plan.services.empty() && plan.registry.empty()
                           ? kNeedsAdministratorForFiles
                           : kNeedsAdministrator);
    if (plan.ifStillRunning == IfStillRunning::Report)
        return std::nullopt;
    for (const PlannedScript& script : plan.scripts)
        if (sys.isScriptRunning(script.name))
            return refused(plan, RefusalReason::StillRunning, kStillRunning, script.name);
    return std::nullopt;
}

// A change that can be recorded (or an undo) holds the machine's change
// claim; the junk cleanup, which no record can undo, needs none of its own.
bool takesClaim(const Plan& plan) {
    return plan.undo || !plan.services.empty() || !plan.registry.empty() || !plan.files.empty();
}

std::optional<ActionResult> claimRefusal(Platform& sys, const Plan& first,
                                         const std::string& name) {
    const std::optional<ClaimFailure> failure = claimMachineChange(sys, name);
    if (!failure)
        return std::nullopt;
    if (failure->going)
        return refused(first, RefusalReason::ChangeGoing, changeGoingText(*failure),
                       failure->holder);
    // The claim's file lies in the program's folder, beside the records:
    // what keeps it from being taken keeps the record from being saved.
    return refused(first, RefusalReason::CannotClaim,
                   first.undo ? cannotBeginText(sys, failure->failure)
                              : snapshotFailureText(sys, failure->failure),
                   failure->failure);
}

// Writes and launches one script; the failure, or nullopt when it was handed
// over to the command interpreter.
std::optional<std::string> runScript(Platform& sys, const PlannedScript& script) {
    const std::string& name = script.name;
    // Rewriting a script under a running command interpreter would change
    // the lines it has not read yet.
    if (sys.isScriptRunning(name))
        return "脚本 " + name + " 上一次的运行尚未结束，本次未执行。";
    const std::optional<std::string> bytes = scriptBytes(script.lines);
    if (!bytes)
        return "脚本 " + name + " 含有无法用 GBK 编码表示的字符，未写入。";
    if (ErrorCode e = sys.writeScript(name, *bytes))
        return "无法写入脚本 " + name + "：" + describeError(e) + "。";
    if (ErrorCode e = sys.launchScript(name, script.show))
        return "无法启动脚本 " + name + "：" + describeError(e) + "。";
    return std::nullopt;
}

// The message for failures that kept an action from completing.
std::string failureNotice(const std::string& heading, const std::vector<std::string>& failures) {
    std::string text = heading;
    for (const std::string& f : failures)
        text += "\n" + f;
    return text;
}

std::string valueName(const std::string& fullName) {
    return fullName.substr(fullName.rfind('\\') + 1);
}

ActionResult runOne(Platform& sys, const Plan& plan, const RunOptions& options) {
    // Nothing changes without its undo record.
    if (std::optional<std::string> stop = saveUndoSnapshot(sys, plan))
        return refused(plan, RefusalReason::NotRecorded, *stop);

    std::vector<std::string> failures;
    for (const PlannedScript& script : plan.scripts)
        if (std::optional<std::string> failure = runScript(sys, script))
            failures.push_back(*failure);
    // Failures found while planning stand where their write would have.
    failures.insert(failures.end(), plan.knownFailures.begin(), plan.knownFailures.end());
    for (const PlannedFileWrite& file : plan.fileWrites)
        if (ErrorCode e = sys.replaceFile(file.path, file.bytes))
            failures.push_back("无法写入 " + file.path + "：" + describeError(e) + "。");
    for (const PlannedRegistryWrite& value : plan.registryWrites)
        if (ErrorCode e = sys.writeRegistryString(value.fullName, value.data))
            failures.push_back("无法写入注册表值 " + valueName(value.fullName) + "（" +
                               value.label + "）：" + describeError(e) + "。");

    ActionResult result =
        actionResult(plan.action, RunOutcome::Done, plan.successText.value_or(std::string()));
    if (!failures.empty()) {
        result.outcome = RunOutcome::Failed;
        result.message = failureNotice(plan.failureHeading, failures);
        if (plan.administratorHintOnFailure && !sys.isAdministrator())
            result.message += std::string("\n") + kAdministratorHint;
    }
    if (!options.waitForScripts)
        return result;
    for (const PlannedScript& script : plan.scripts)
        sys.waitForScript(script.name);
    // Guarded while they ran, the scripts could not delete themselves.
    sys.finishedScripts();
    if (result.outcome == RunOutcome::Done)
        checkAfterScripts(sys, plan, &result.notInPlace, &result.notInstalled);
    return result;
}

std::string joined(const std::vector<Plan>& plans) {
    std::string names;
    for (const Plan& plan : plans)
        names += (names.empty() ? "" : "、") + plan.action;
    return names;
}

} // namespace

RunResult runPlans(Platform& sys, const std::vector<Plan>& plans, const RunOptions& options) {
    RunResult run;
    // All or nothing: every guard is checked before the first plan runs.
    for (const Plan& plan : plans)
        if (std::optional<ActionResult> refusal = guardRefusal(sys, plan, options)) {
            run.actions.push_back(*refusal);
            return run;
        }
    bool claim = options.claimAs.has_value();
    for (const Plan& plan : plans)
        claim = claim || takesClaim(plan);
    if (claim && !plans.empty())
        if (std::optional<ActionResult> refusal = claimRefusal(
                sys, plans.front(), options.claimAs.value_or("“" + joined(plans) + "”"))) {
            run.actions.push_back(*refusal);
            return run;
        }
    for (const Plan& plan : plans)
        run.actions.push_back(plan.undo ? runUndo(sys, plan, *plan.undo)
                                        : runOne(sys, plan, options));
    // Scripts still running keep the claim until they end.
    if (claim)
        sys.releaseChange();
    return run;
}

ActionResult runPlan(Platform& sys, const Plan& plan, const RunOptions& options) {
    return runPlans(sys, {plan}, options).actions.front();
}
