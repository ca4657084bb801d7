// The one way an action changes the system, for the window, the command line
// and undo alike. For a list of plans, each is checked first (the plan's own
// refusal, its question, the folder scripts run in, administrator rights,
// scripts still running from before): one refused, none runs. Then the
// machine's change claim is taken, and for each plan in turn the undo record
// is saved, each script is written completely and only then launched, the
// files and registry values are written, and, when the caller waits, the
// scripts' end is awaited and what they were to change is read back. An undo
// plan runs its record's undo.bat instead and compares the machine with the
// record. The claim is given up at the end; it lasts until the last script
// launched under it has ended.
// A script that could not be written completely is never launched, and a
// script whose earlier run is still going is never rewritten.
#pragma once

#include "actions/run_result.h"
#include "platform/platform.h"
#include "script/plan.h"

#include <optional>
#include <string>
#include <vector>

struct RunOptions {
    // The plans' questions were asked and answered yes (or /force was given).
    bool confirmed = false;
    // Wait for the scripts to end and read back what they changed.
    bool waitForScripts = false;
    // The name the change claim is taken under, as others are told it
    // ("从命令行启动的“系统常规优化”"). Without it, a plan that changes what
    // can be recorded or undone takes the claim under its action's name.
    std::optional<std::string> claimAs;
};

RunResult runPlans(Platform& machine, const std::vector<Plan>& plans, const RunOptions& options);

// One plan, as the window runs it.
ActionResult runPlan(Platform& machine, const Plan& plan, const RunOptions& options = {});
