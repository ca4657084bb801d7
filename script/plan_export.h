// Exporting a plan: its scripts written into a folder with the bytes the
// runner would write, and nothing run. For a start-up script or a deployment
// share that runs them elsewhere.
#pragma once

#include "platform/files.h"
#include "script/plan.h"

#include <string>
#include <vector>

// The path of a script in the folder.
std::string exportedPath(const std::string& folder, const std::string& script);

// Writes every script of the plan into the folder (which must exist); the
// failures, none when all were written.
std::vector<std::string> exportScripts(Files& files, const Plan& plan, const std::string& folder);
