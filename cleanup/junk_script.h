// "xtql.bat": the junk cleanup script. It runs in a visible console, shows a
// progress line, deletes the debris, shows a completion line and waits for a
// key before it deletes itself.
#pragma once

#include "script/script_file.h"

inline constexpr const char* kJunkScriptName = "xtql.bat";

// The script's lines, in the order they are written.
const ScriptLines& junkScriptLines();
