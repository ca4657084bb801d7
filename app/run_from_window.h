// A plan run as the window runs it: the plan's question (the Windows
// version, newer changes) asked first, then the runner, then its outcome told
// in one message box. A console still open from before is brought to the
// front instead, without a word, when the plan says so.
#pragma once

#include "actions/run_result.h"
#include "app/user_dialogs.h"
#include "platform/platform.h"
#include "script/plan.h"

RunOutcome runFromWindow(Platform& machine, UserDialogs& user, const Plan& plan);
