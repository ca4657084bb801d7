// What each line of the junk cleanup would delete now, worked out by the
// program from the script's own lines: the same patterns, folders and
// switches ("del /s" descends into subfolders, "del" leaves hidden and system
// files alone, "rd /s" takes everything), the variables expanded from the
// environment as the command interpreter would. No script runs. A file that
// an earlier line takes is not counted again.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <cstdint>
#include <string>
#include <vector>

struct JunkCount {
    std::string line; // the script line, as written
    std::uint32_t files = 0;
    std::uint64_t bytes = 0;
    std::string problem; // set: the line could not be worked out (a variable not set)
};

// One count per line of `lines` that deletes under a folder named by a variable.
std::vector<JunkCount> junkCounts(Platform& machine, const ScriptLines& lines);

// "del /f /s /q %systemdrive%\*.tmp：3 个文件，1200 字节", for the cleanup
// scripts of the plan; none for a plan without one.
std::vector<std::string> junkCountLines(Platform& machine, const Plan& plan);

// Whether a file name matches a pattern of "*" and "?", in any letter case
// of ASCII letters; "*.*" matches every name.
bool matchesPattern(const std::string& name, const std::string& pattern);
