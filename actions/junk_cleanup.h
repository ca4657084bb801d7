// The junk cleanup as a plan: "xtql.bat" in a visible console, which is all
// the user sees of a successful run. While its console is still open from
// before, the plan brings that console to the front instead of rewriting the
// script under the interpreter that reads it.
#pragma once

#include "script/plan.h"

#include <string>

// The Windows directory decides whether its paths need quotation marks.
Plan junkCleanupPlan(const std::string& windowsDir);

// The cleanup from the command line: the script that waits for no key, in a
// console shown or hidden as asked. A script still running from before
// refuses the plan: there is nobody to bring its console to.
Plan unattendedJunkCleanupPlan(const std::string& windowsDir, ShowState show);
