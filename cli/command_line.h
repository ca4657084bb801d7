// A run from the command line: the switches become plans, the plans run
// (or are exported), the program waits for their scripts and checks what it
// can, and the outcome is told once. See cli/usage.cpp for the switches and
// cli/exit_codes.h for what the exit status means.
#pragma once

#include "platform/platform.h"

#include <string>
#include <vector>

// The arguments after the program's name, UTF-8; the exit status.
int runCommandLine(Platform& machine, const std::vector<std::string>& args);
