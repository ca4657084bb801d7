// Undoing a recorded change, once the guards have passed and the machine's
// change claim is held: the record is found (by name, or the newest not yet
// undone), its files are held so that nobody can change them until the check
// has ended and compared with the digests its registration recorded, its
// undo.bat runs hidden in its own folder and is waited for, the keys the
// change created go once empty, and the machine is compared with the record.
// Only when everything is back is the record marked undone.
#pragma once

#include "actions/run_result.h"
#include "platform/platform.h"
#include "script/plan.h"

ActionResult runUndo(Platform& machine, const Plan& plan, const UndoRequest& request);
