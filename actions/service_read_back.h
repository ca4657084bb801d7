// The start modes read back from the service manager once a plan's scripts
// have ended: an "sc config" that did not take leaves the mode it found, and
// nothing else would tell. A service this machine does not have is named,
// not counted as a failure: the tables cover more services than any one
// machine has.
#pragma once

#include "platform/machine_facts.h"
#include "script/plan.h"

#include <string>
#include <vector>

struct ServiceReadBack {
    std::vector<std::string> notInPlace;   // "服务 Themes：自动，应为 已禁用"
    std::vector<std::string> notInstalled; // service names
};

ServiceReadBack readBackServices(MachineFacts& machine, const Plan& plan);
