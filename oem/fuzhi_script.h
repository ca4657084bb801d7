// The script "fuzhi.bat", which copies a chosen bitmap over the OEM logo.
#pragma once

#include "script/script_file.h"

#include <string>

constexpr const char* kFuzhiScript = "fuzhi.bat";

// Its three lines. `source` must be a path that code page 936 can hold; the
// command interpreter gets it, and the destination, exactly as they are.
ScriptLines fuzhiLines(const std::string& windowsDir, const std::string& source);
