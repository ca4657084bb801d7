// What a plan's scripts and writes were to change, read back once its scripts
// have ended: a script can end without error and still have changed nothing
// (an "sc config" or an import blocked by policy or a security product).
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <string>
#include <vector>

// One line for each change not in place into *notInPlace; the services this
// machine does not have, by name, into *notInstalled (no failure: the tables
// cover more services than any one machine has).
void checkAfterScripts(Platform& machine, const Plan& plan, std::vector<std::string>* notInPlace,
                       std::vector<std::string>* notInstalled);
