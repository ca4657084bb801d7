// Replacing the OEM logo as a plan: "fuzhi.bat" copies the chosen bitmap over
// "oemlogo.bmp" in a hidden console. A successful copy says nothing: the
// picker closes and the main window shows the new logo.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <string>

// The plan for a source path that the script can carry.
Plan logoPlan(const std::string& windowsDir, const std::string& source);

// The plan for the path the user chose: refused when it is no existing file
// or when code page 936 can hold neither it nor its short name.
Plan planLogoReplacement(Platform& platform, const std::string& chosen);
