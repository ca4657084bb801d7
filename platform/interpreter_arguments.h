// The command interpreter's arguments for running a script.
#pragma once

#include <string>

// "/d /v:off /c <name>". /d: no AutoRun commands from the registry run before
// the script. /v:off: delayed expansion stays off even where the registry turns
// it on, so that a "!" in a line (in a copied path) reaches its command as
// written. The script's bytes are the same either way.
std::string interpreterArguments(const std::string& scriptName);
