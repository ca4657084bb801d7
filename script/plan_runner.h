// The one way an action changes the system: a plan is checked (refusal,
// administrator rights, scripts still running from before), the caller's
// BeforeChange runs (the undo snapshot), then each script is written
// completely and only then launched, in order, then the files and registry
// values are written, and the user is told the outcome once.
// A script that could not be written completely is never launched, and a
// script whose earlier run is still going is never rewritten.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class PlanOutcome {
    Refused, // nothing was written; the user was told why
    Done,    // every script handed over, every file and value written
    Failed,  // something was not; the user was told what
};

// Called once the guards have passed, before the first write (an undo
// snapshot is taken here): a text stops the plan, nothing is written and the
// user is told that text.
using BeforeChange = std::function<std::optional<std::string>(const Plan&)>;

PlanOutcome runPlan(Platform& platform, const Plan& plan, const BeforeChange& beforeChange = {});

// Why a plan may not run now, found before anything is written.
struct PlanRefusal {
    enum class Reason {
        Refused,            // the plan itself says why
        NetworkFolder,      // scripts cannot run from the current (network) folder
        NeedsAdministrator, // the process lacks administrator rights
        StillRunning,       // a script of the plan still runs from before
    };
    Reason reason;
    std::string text;   // what the user is told
    std::string script; // StillRunning: the script that runs
};

// The guards that runPlan checks first, for a caller that checks several
// plans before it runs any; nullopt when the plan may run.
std::optional<PlanRefusal> planRefusal(Platform& platform, const Plan& plan);

// The notification text for failures that kept an action from completing.
std::string failureNotice(const std::string& heading, const std::vector<std::string>& failures);
