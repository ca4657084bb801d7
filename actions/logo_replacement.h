// Replacing the OEM logo as a plan: "fuzhi.bat" copies the chosen bitmap over
// "oemlogo.bmp" in a hidden console. A successful copy says nothing: the
// picker closes and, once the copy has ended, the main window shows the new
// logo. A copy that did not take is reported then.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <optional>
#include <string>

// The plan for a source path that the script can carry.
Plan logoPlan(const std::string& windowsDir, const std::string& source);

// The plan for the path the user chose: refused when it is no existing file
// or when code page 936 can hold neither it nor its short name. Once its
// script has ended, the installed logo must be the chosen picture as read now.
Plan planLogoReplacement(Platform& platform, const std::string& chosen);

// The picture the user chose, as it stood when its copy was handed over.
struct ChosenLogo {
    std::string path;
    std::optional<std::string> bytes; // nullopt: it could not be read
};
ChosenLogo readChosenLogo(Platform& platform, const std::string& path);

// After the copy has ended: what the user is told when "oemlogo.bmp" is not
// the chosen picture byte for byte, or nullopt when it is.
std::optional<std::string> logoCopyFailure(Platform& platform, const ChosenLogo& chosen);
