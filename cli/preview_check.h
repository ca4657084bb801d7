// /whatif and /check: the command line's plans set against the machine, with
// nothing written and no script run. /whatif gives one line per thing the
// actions set ("current → new", "（不变）", "未安装") and, for the cleanup,
// what each of its lines would delete; /check gives one line per thing not in
// place, for a nightly loop over a room of machines.
#pragma once

#include "cli/command_plans.h"
#include "cli/exit_codes.h"
#include "cli/run_report.h"
#include "platform/platform.h"

#include <vector>

ExitCode previewActions(Platform& machine, const std::vector<Plan>& actions, RunReport& report);

// ExitCode::NotInPlace when anything differs.
ExitCode checkActions(Platform& machine, const std::vector<Plan>& actions, RunReport& report);
