// A run from the command line: the switches become plans, the runner runs
// them (waiting for their scripts and checking what it can) or they are
// exported, previewed or checked, and the outcome is told once. See cli/usage.cpp for the switches
// and cli/exit_codes.h for what the exit status means.
#pragma once

#include "cli/console.h"
#include "platform/platform.h"

#include <string>
#include <vector>

// The arguments after the program's name, UTF-8; the exit status.
int runCommandLine(Platform& machine, Console& console, const std::vector<std::string>& args);
