#include "script/plan_runner.h"

#include "script/error_text.h"
#include "script/network_folder.h"

namespace {

const char kNeedsAdministrator[] =
    "需要管理员权限才能更改系统服务和注册表，请以管理员身份运行本程序。";
const char kNeedsAdministratorForFiles[] =
    "需要管理员权限才能更改系统文件，请以管理员身份运行本程序。";
const char kStillRunning[] = "上一次的优化仍在进行中，请稍候再试。";
const char kAdministratorHint[] = "修改这些信息需要管理员权限，请以管理员身份运行本程序。";

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

std::string valueName(const std::string& fullName) {
    return fullName.substr(fullName.rfind('\\') + 1);
}

} // namespace

std::optional<PlanRefusal> planRefusal(Platform& sys, const Plan& plan) {
    using Reason = PlanRefusal::Reason;
    if (plan.refusal)
        return PlanRefusal{Reason::Refused, *plan.refusal, ""};
    if (!plan.scripts.empty())
        if (std::optional<std::string> refusal = networkFolderRefusal(sys.currentDirectory()))
            return PlanRefusal{Reason::NetworkFolder, *refusal, ""};
    if (plan.needsAdministrator && !sys.isAdministrator())
        return PlanRefusal{Reason::NeedsAdministrator,
                           plan.services.empty() && plan.registry.empty()
                               ? kNeedsAdministratorForFiles
                               : kNeedsAdministrator,
                           ""};
    if (plan.ifStillRunning == IfStillRunning::Report)
        return std::nullopt;
    for (const PlannedScript& script : plan.scripts)
        if (sys.isScriptRunning(script.name))
            return PlanRefusal{Reason::StillRunning, kStillRunning, script.name};
    return std::nullopt;
}

PlanOutcome runPlan(Platform& sys, const Plan& plan, const BeforeChange& beforeChange) {
    if (std::optional<PlanRefusal> refusal = planRefusal(sys, plan)) {
        // A plan whose running script is brought to the front says nothing.
        if (refusal->reason == PlanRefusal::Reason::StillRunning &&
            plan.ifStillRunning == IfStillRunning::BringToFront)
            sys.bringScriptToFront(refusal->script);
        else
            sys.notify(refusal->text);
        return PlanOutcome::Refused;
    }
    // Only a plan that really runs gets its snapshot; without it, nothing runs.
    if (beforeChange)
        if (std::optional<std::string> stop = beforeChange(plan)) {
            sys.notify(*stop);
            return PlanOutcome::Refused;
        }

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

    if (failures.empty()) {
        if (plan.successText)
            sys.notify(*plan.successText);
        return PlanOutcome::Done;
    }
    std::string notice = failureNotice(plan.failureHeading, failures);
    if (plan.administratorHintOnFailure && !sys.isAdministrator())
        notice += std::string("\n") + kAdministratorHint;
    sys.notify(notice);
    return PlanOutcome::Failed;
}

std::string failureNotice(const std::string& heading, const std::vector<std::string>& failures) {
    std::string text = heading;
    for (const std::string& f : failures)
        text += "\n" + f;
    return text;
}
