// "xtql.bat": the junk cleanup script. It runs in a visible console, shows a
// progress line, deletes the debris, shows a completion line and waits for a
// key before it deletes itself. Run from the command line, nobody is there to
// press the key: that variant ends as soon as the debris is gone.
#pragma once

#include "script/script_file.h"

#include <string>

inline constexpr const char* kJunkScriptName = "xtql.bat";

// The script's lines, in the order they are written, for a system whose
// Windows directory is `windowsDir`.
ScriptLines junkScriptLines(const std::string& windowsDir);

// The same lines without the wait for a key, for runs from the command line
// and exported scripts; the completion line no longer asks for the key.
ScriptLines unattendedJunkScriptLines(const std::string& windowsDir);
