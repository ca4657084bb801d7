// From switches to plans: the same plans the window builds, in a fixed order
// (the service start modes, the per-service choices, the cleanup, the OEM
// values, the logo), each with what can be checked once its scripts have
// ended. Building them reads the machine (the Windows directory, the OEM
// file, the chosen logo) and changes nothing.
#pragma once

#include "cli/switches.h"
#include "platform/platform.h"
#include "script/plan.h"

#include <optional>
#include <string>
#include <vector>

struct CommandPlans {
    std::vector<Plan> actions; // in the order they run
    // Why the command line cannot be carried out (a logo that is no file,
    // say), in Chinese and English.
    std::optional<std::string> error;
};

CommandPlans planCommandLine(Platform& machine, const CommandLine& line);
