// "xtql.bat": the junk cleanup script. It runs in a visible console, shows a
// progress line, deletes the debris, shows a completion line and waits for a
// key before it deletes itself.
#pragma once

#include "script/script_file.h"

#include <string>

inline constexpr const char* kJunkScriptName = "xtql.bat";

// The script's lines, in the order they are written, for a system whose
// Windows directory is `windowsDir`.
ScriptLines junkScriptLines(const std::string& windowsDir);
