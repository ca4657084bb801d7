#include "cli/command_line.h"

#include "actions/action_runner.h"
#include "actions/undo_plan.h"
#include "cli/command_plans.h"
#include "cli/config_file.h"
#include "cli/exit_codes.h"
#include "cli/preview_check.h"
#include "cli/run_report.h"
#include "cli/switches.h"
#include "cli/usage.h"
#include "script/error_text.h"
#include "script/plan_export.h"
#include "services/system_guard.h"
#include "undo/snapshot_store.h"

namespace {

const char kDone[] = "已完成";

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return text;
}

std::string joined(const std::vector<std::string>& parts, const std::string& between) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : between) + part;
    return text;
}

// The service settings are made for XP and 2003: elsewhere only /force lets
// them run, as only "是" does in the window.
std::string otherWindowsText(Platform& sys) {
    const WindowsVersion version = sys.windowsVersion();
    return "本程序的服务设置是为 Windows XP 设计的，当前系统是 Windows " + windowsName(version) +
           "，未作任何更改；确需继续请加 /force。 / The service settings are made for Windows "
           "XP; this is Windows " +
           windowsName(version) + ". Nothing was changed; add /force to go on.";
}

// A refusal before anything changed: its line and its exit code.
ExitCode tellRefusal(Platform& sys, const ActionResult& result, RunReport& report) {
    switch (result.reason) {
    case RefusalReason::NeedsConfirmation:
        report.add(otherWindowsText(sys));
        return ExitCode::OtherWindows;
    case RefusalReason::ChangeGoing:
        report.add(result.detail +
                   "仍在进行中，本次未作任何更改。 / Another change is still "
                   "going (" +
                   result.detail + "); nothing was changed.");
        return ExitCode::StillRunning;
    case RefusalReason::CannotClaim:
        report.add("无法开始更改（" + result.detail +
                   "），本次未作任何更改。 / The change could not begin; nothing was changed.");
        return ExitCode::NotWritten;
    default:
        break;
    }
    report.add(result.action + "：" + result.message);
    switch (result.reason) {
    case RefusalReason::NeedsAdministrator:
        return ExitCode::NeedsAdministrator;
    case RefusalReason::StillRunning:
        return ExitCode::StillRunning;
    case RefusalReason::PlanRefused:
        return ExitCode::BadSwitches;
    default: // a network folder: no script could be started there
        return ExitCode::NotWritten;
    }
}

// The line of an action that ran: its success text (or "已完成"), or what
// failed and what is not in place, and the services it could not check.
ExitCode tellOutcome(const ActionResult& result, RunReport& report) {
    ExitCode code = ExitCode::Done;
    std::string text = result.message.empty() ? kDone : result.message;
    if (!result.done()) {
        code = ExitCode::NotWritten;
        // Not everything is in place: the success text is not said.
        std::vector<std::string> said;
        if (result.outcome != RunOutcome::Done)
            said.push_back(result.message);
        said.insert(said.end(), result.notInPlace.begin(), result.notInPlace.end());
        text = joined(said, " ");
    }
    report.add(result.action + "：" + oneLine(text));
    if (!result.notInstalled.empty())
        report.add(result.action + "：本机未安装，未检查：" + joined(result.notInstalled, "、"));
    return code;
}

ExitCode runActions(Platform& sys, const CommandLine& line, const std::vector<Plan>& plans,
                    RunReport& report) {
    std::vector<std::string> names;
    for (const Plan& plan : plans)
        names.push_back(plan.action);
    RunOptions options;
    options.confirmed = line.force;
    options.waitForScripts = true;
    // The machine's one change at a time, held for the whole run.
    options.claimAs = "从命令行启动的“" + joined(names, "、") + "”";
    const RunResult run = runPlans(sys, plans, options);
    ExitCode code = ExitCode::Done;
    for (const ActionResult& result : run.actions) {
        // A refusal by a guard or the claim changed nothing and has its own
        // exit code; a record that could not be saved fails its action.
        const ExitCode one =
            result.outcome == RunOutcome::Refused && result.reason != RefusalReason::NotRecorded
                ? tellRefusal(sys, result, report)
                : tellOutcome(result, report);
        if (one != ExitCode::Done)
            code = one;
    }
    return code;
}

ExitCode exportActions(Platform& sys, const std::vector<Plan>& actions, const std::string& folder,
                       RunReport& report) {
    for (const Plan& action : actions)
        if (action.refusal) {
            report.add(action.action + "：" + *action.refusal);
            return ExitCode::BadSwitches;
        }
    if (ErrorCode e = sys.createFolder(folder)) {
        report.add("无法创建文件夹 " + folder + "：" + describeError(e) + "。");
        return ExitCode::NotWritten;
    }
    ExitCode code = ExitCode::Done;
    for (const Plan& action : actions) {
        const std::vector<std::string> failures = exportScripts(sys, action, folder);
        if (failures.empty()) {
            report.add(action.action + "：已导出到 " + folder + "：" +
                       joined(scriptNames(action), "、"));
        } else {
            code = ExitCode::NotWritten;
            report.add(action.action + "：" + joined(failures, " "));
        }
    }
    return code;
}

// Undoes a change as "撤销" does in the window: the newest one not yet
// undone, or the one named (/undo:<name>), whatever came after it;
// /undo:list prints them instead.
ExitCode undoFromCommandLine(Platform& sys, const CommandLine& line, RunReport& report) {
    const std::vector<SnapshotEntry> entries = undoableSnapshots(sys);
    if (line.undoList || entries.empty()) {
        if (entries.empty())
            report.add("撤销：没有可以撤销的更改。 / Undo: there is no change to undo.");
        for (const SnapshotEntry& entry : entries)
            report.add(entry.name + "  " + snapshotLabel(entry));
        return line.undoList ? ExitCode::Done : ExitCode::BadSwitches;
    }
    RunOptions options;
    options.waitForScripts = true;
    options.claimAs = std::string("从命令行启动的“") + kUndoAction + "”";
    const ActionResult result = runPlan(sys, undoRecordPlan(line.undoName), options);
    switch (result.reason) {
    case RefusalReason::NeedsAdministrator:
        report.add("撤销：需要管理员权限。 / Undo: administrator rights are needed.");
        return ExitCode::NeedsAdministrator;
    case RefusalReason::ChangeGoing:
    case RefusalReason::CannotClaim:
        return tellRefusal(sys, result, report);
    case RefusalReason::RecordGone: {
        const std::string name = line.undoName.value_or(std::string());
        report.add("撤销：没有名为 " + name +
                   " 的可撤销记录（/undo:list 列出它们）。 / Undo: no "
                   "record named " +
                   name + " to undo (/undo:list lists them).");
        return ExitCode::BadSwitches;
    }
    default:
        break;
    }
    report.add("撤销：" + oneLine(result.message));
    return result.outcome == RunOutcome::Done ? ExitCode::Done : ExitCode::NotWritten;
}

int showUsage(Console& console, bool quiet) {
    if (!console.writeOutput(usageText()) && !quiet)
        console.notify(usageText());
    return exitStatus(ExitCode::Done);
}

std::string badCommandLine(const std::string& reason) {
    return "命令行有误 / bad command line: " + reason + "（用法 / usage: Velkor.exe /?）";
}

int runSwitches(Platform& machine, Console& console, const std::vector<std::string>& args) {
    // A room's file stands for the switches it names.
    const std::optional<ConfigSwitches> config = configSwitches(machine, args);
    const bool fromFile = config && !config->error;
    const ParsedCommandLine parsed = parseCommandLine(fromFile ? config->args : args);
    const CommandLine& line = parsed.line;
    if (line.help)
        return showUsage(console, line.quiet);

    RunReport report(machine, console, line.quiet, args);
    if (line.logFile)
        report.alsoLogTo(*line.logFile);
    if (config && config->error) {
        report.add(badCommandLine(*config->error));
        return report.finish(ExitCode::BadSwitches);
    }
    if (parsed.error) {
        report.add(badCommandLine(fromFile ? "配置文件 " + config->file + "：" + *parsed.error
                                           : *parsed.error));
        return report.finish(ExitCode::BadSwitches);
    }
    // Exporting, previewing and checking change nothing on this machine and
    // may run beside a run: only a change takes the machine's change claim
    // (runActions, undoFromCommandLine).
    Platform& sys = machine;
    if (line.undo)
        return report.finish(undoFromCommandLine(sys, line, report));
    const CommandPlans plans = planCommandLine(sys, line);
    if (plans.error) {
        report.add(badCommandLine(*plans.error));
        return report.finish(ExitCode::BadSwitches);
    }
    if (line.whatIf)
        return report.finish(previewActions(sys, plans.actions, report));
    if (line.check)
        return report.finish(checkActions(sys, plans.actions, report));
    const ExitCode code = line.exportFolder
                              ? exportActions(sys, plans.actions, *line.exportFolder, report)
                              : runActions(sys, line, plans.actions, report);
    return report.finish(code);
}

} // namespace

int runCommandLine(Platform& machine, Console& console, const std::vector<std::string>& args) {
    return runSwitches(machine, console, args);
}
