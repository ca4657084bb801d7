#include "cli/command_line.h"

#include "cli/capturing_platform.h"
#include "cli/command_plans.h"
#include "cli/config_file.h"
#include "cli/exit_codes.h"
#include "cli/preview_check.h"
#include "cli/run_report.h"
#include "cli/service_read_back.h"
#include "cli/switches.h"
#include "cli/usage.h"
#include "script/error_text.h"
#include "script/plan_export.h"
#include "script/plan_readback.h"
#include "script/plan_runner.h"
#include "services/system_guard.h"
#include "undo/change_claim.h"
#include "undo/undo_action.h"
#include "undo/undo_recorder.h"

namespace {

const char kDone[] = "已完成";

ExitCode exitCodeFor(PlanRefusal::Reason reason) {
    switch (reason) {
    case PlanRefusal::Reason::NeedsAdministrator:
        return ExitCode::NeedsAdministrator;
    case PlanRefusal::Reason::StillRunning:
        return ExitCode::StillRunning;
    case PlanRefusal::Reason::NetworkFolder: // no script could be started there
        return ExitCode::NotWritten;
    case PlanRefusal::Reason::Refused:
        break;
    }
    return ExitCode::BadSwitches;
}

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

// The machine's one change at a time, held for the rest of the run (an
// export changes nothing here and takes none); Done when taken.
ExitCode claimRun(Platform& sys, const std::string& what, RunReport& report) {
    const std::optional<ClaimFailure> failure =
        claimMachineChange(sys, "从命令行启动的“" + what + "”");
    if (!failure)
        return ExitCode::Done;
    if (failure->going) {
        report.add(failure->holder +
                   "仍在进行中，本次未作任何更改。 / Another change is still "
                   "going (" +
                   failure->holder + "); nothing was changed.");
        return ExitCode::StillRunning;
    }
    report.add("无法开始更改（" + failure->failure +
               "），本次未作任何更改。 / The change could not begin; nothing was changed.");
    return ExitCode::NotWritten;
}

// What the plan wrote itself, the files its scripts were to make and the
// registry changes they were to make, read back once the scripts have ended;
// what is not in place.
std::vector<std::string> unfinished(Platform& sys, const CommandAction& action) {
    std::vector<std::string> problems;
    for (const PlannedFileWrite& file : action.plan.fileWrites)
        if (sys.readFile(file.path, nullptr) != file.bytes)
            problems.push_back(file.path + " 写入后读回的内容不符。");
    for (const PlannedRegistryWrite& value : action.plan.registryWrites)
        if (sys.readRegistryString(value.fullName, nullptr) != value.data)
            problems.push_back("注册表值 " + value.fullName + " 写入后读回的内容不符。");
    for (const PlannedFileWrite& file : action.expectedFiles)
        if (sys.readFile(file.path, nullptr) != file.bytes)
            problems.push_back(file.path + " 与所选文件不同，复制未能完成。");
    for (const std::string& change : registryNotInPlace(sys, action.plan.registry))
        problems.push_back(change);
    return problems;
}

ExitCode runActions(CapturingPlatform& sys, const std::vector<CommandAction>& actions,
                    RunReport& report) {
    // All or nothing: every guard is checked before the first action runs.
    for (const CommandAction& action : actions)
        if (std::optional<PlanRefusal> refusal = planRefusal(sys, action.plan)) {
            report.add(action.plan.action + "：" + refusal->text);
            return exitCodeFor(refusal->reason);
        }
    std::vector<std::string> names;
    for (const CommandAction& action : actions)
        names.push_back(action.plan.action);
    if (const ExitCode claimed = claimRun(sys, joined(names, "、"), report);
        claimed != ExitCode::Done)
        return claimed;

    // As from the window, nothing changes without its undo snapshot.
    const BeforeChange snapshot = [&sys](const Plan& plan) { return saveUndoSnapshot(sys, plan); };
    ExitCode code = ExitCode::Done;
    for (const CommandAction& action : actions) {
        const PlanOutcome outcome = runPlan(sys, action.plan, snapshot);
        for (const PlannedScript& script : action.plan.scripts)
            sys.waitForScript(script.name);
        // Guarded while they ran, the scripts could not delete themselves.
        sys.finishedScripts();
        const std::vector<std::string> notices = sys.takeNotices();
        std::vector<std::string> problems;
        ServiceReadBack services;
        if (outcome == PlanOutcome::Done) {
            problems = unfinished(sys, action);
            services = readBackServices(sys, action.plan);
            problems.insert(problems.end(), services.notInPlace.begin(), services.notInPlace.end());
        }
        std::string text =
            outcome == PlanOutcome::Done && !notices.empty() ? notices.back() : kDone;
        if (outcome != PlanOutcome::Done || !problems.empty()) {
            // A refusal here could only come from a machine that changed
            // since the guards were checked: it is no less a failure.
            code = ExitCode::NotWritten;
            // The success text was said before the scripts ended: not now.
            std::vector<std::string> said;
            for (const std::string& notice : notices)
                if (notice != action.plan.successText)
                    said.push_back(notice);
            said.insert(said.end(), problems.begin(), problems.end());
            text = joined(said, " ");
        }
        report.add(action.plan.action + "：" + oneLine(text));
        if (!services.notInstalled.empty())
            report.add(action.plan.action + "：本机未安装，未检查：" +
                       joined(services.notInstalled, "、"));
    }
    return code;
}

ExitCode exportActions(Platform& sys, const std::vector<CommandAction>& actions,
                       const std::string& folder, RunReport& report) {
    for (const CommandAction& action : actions)
        if (action.plan.refusal) {
            report.add(action.plan.action + "：" + *action.plan.refusal);
            return ExitCode::BadSwitches;
        }
    if (ErrorCode e = sys.createFolder(folder)) {
        report.add("无法创建文件夹 " + folder + "：" + describeError(e) + "。");
        return ExitCode::NotWritten;
    }
    ExitCode code = ExitCode::Done;
    for (const CommandAction& action : actions) {
        const std::vector<std::string> failures = exportScripts(sys, action.plan, folder);
        if (failures.empty()) {
            report.add(action.plan.action + "：已导出到 " + folder + "：" +
                       joined(scriptNames(action.plan), "、"));
        } else {
            code = ExitCode::NotWritten;
            report.add(action.plan.action + "：" + joined(failures, " "));
        }
    }
    return code;
}

// Undoes a change as "撤销" does in the window: the newest one not yet
// undone, or the one named (/undo:<name>); /undo:list prints them instead.
ExitCode undoFromCommandLine(CapturingPlatform& sys, const CommandLine& line, RunReport& report) {
    std::vector<SnapshotEntry> entries = undoableSnapshots(sys);
    if (line.undoList || entries.empty()) {
        if (entries.empty())
            report.add("撤销：没有可以撤销的更改。 / Undo: there is no change to undo.");
        for (const SnapshotEntry& entry : entries)
            report.add(entry.name + "  " + snapshotLabel(entry));
        return line.undoList ? ExitCode::Done : ExitCode::BadSwitches;
    }
    if (!sys.isAdministrator()) {
        report.add("撤销：需要管理员权限。 / Undo: administrator rights are needed.");
        return ExitCode::NeedsAdministrator;
    }
    if (const ExitCode claimed = claimRun(sys, "撤销更改", report); claimed != ExitCode::Done)
        return claimed;
    // As they are now that no change can come between.
    entries = undoableSnapshots(sys);
    std::size_t index = 0;
    while (line.undoName && index < entries.size() && entries[index].name != *line.undoName)
        ++index;
    if (index == entries.size()) {
        const std::string name = line.undoName.value_or(std::string());
        report.add("撤销：没有名为 " + name +
                   " 的可撤销记录（/undo:list 列出它们）。 / Undo: no "
                   "record named " +
                   name + " to undo (/undo:list lists them).");
        return ExitCode::BadSwitches;
    }
    // A record named on the command line is undone as chosen, whatever came after it.
    const bool undone = undoSnapshot(sys, {entries[index]}, 0);
    report.add("撤销：" + oneLine(joined(sys.takeNotices(), " ")));
    return undone ? ExitCode::Done : ExitCode::NotWritten;
}

// The service settings are made for XP and 2003: elsewhere only /force lets
// them run, as only "是" does in the window.
std::optional<std::string> otherWindowsRefusal(Platform& sys, const CommandLine& line) {
    if (line.force || line.exportFolder || line.whatIf || line.check ||
        !(line.optimize || line.restore || line.services))
        return std::nullopt;
    const WindowsVersion version = sys.windowsVersion();
    if (servicesDesignedFor(version))
        return std::nullopt;
    return "本程序的服务设置是为 Windows XP 设计的，当前系统是 Windows " + windowsName(version) +
           "，未作任何更改；确需继续请加 /force。 / The service settings are made for Windows "
           "XP; this is Windows " +
           windowsName(version) + ". Nothing was changed; add /force to go on.";
}

int showUsage(Platform& machine, bool quiet) {
    if (!machine.writeOutput(usageText()) && !quiet)
        machine.notify(usageText());
    return exitStatus(ExitCode::Done);
}

std::string badCommandLine(const std::string& reason) {
    return "命令行有误 / bad command line: " + reason + "（用法 / usage: Velkor.exe /?）";
}

int runSwitches(Platform& machine, const std::vector<std::string>& args) {
    // A room's file stands for the switches it names.
    const std::optional<ConfigSwitches> config = configSwitches(machine, args);
    const bool fromFile = config && !config->error;
    const ParsedCommandLine parsed = parseCommandLine(fromFile ? config->args : args);
    const CommandLine& line = parsed.line;
    if (line.help)
        return showUsage(machine, line.quiet);

    RunReport report(machine, line.quiet, args);
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
    CapturingPlatform sys(machine);
    if (line.undo)
        return report.finish(undoFromCommandLine(sys, line, report));
    const CommandPlans plans = planCommandLine(sys, line);
    if (plans.error) {
        report.add(badCommandLine(*plans.error));
        return report.finish(ExitCode::BadSwitches);
    }
    if (std::optional<std::string> refusal = otherWindowsRefusal(sys, line)) {
        report.add(*refusal);
        return report.finish(ExitCode::OtherWindows);
    }
    if (line.whatIf)
        return report.finish(previewActions(sys, plans.actions, report));
    if (line.check)
        return report.finish(checkActions(sys, plans.actions, report));
    const ExitCode code = line.exportFolder
                              ? exportActions(sys, plans.actions, *line.exportFolder, report)
                              : runActions(sys, plans.actions, report);
    return report.finish(code);
}

} // namespace

int runCommandLine(Platform& machine, const std::vector<std::string>& args) {
    const int status = runSwitches(machine, args);
    // Scripts still running keep the claim until they end.
    machine.releaseChange();
    return status;
}
