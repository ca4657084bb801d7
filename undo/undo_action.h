// Undoing a snapshot from the window: the chosen snapshot's undo.bat runs
// hidden, the program waits for it and then checks the machine against the
// snapshot, so that it says "undone" only when everything is back.
#pragma once

#include "platform/platform.h"
#include "undo/snapshot_store.h"

#include <cstddef>
#include <string>
#include <vector>

// The line that names a snapshot in the list ("2024-05-01 12:30:05  系统常规优化").
std::string snapshotLabel(const SnapshotEntry& entry);

// Undoes entries[index] (entries newest first, as undoableSnapshots gives
// them), asking first when newer changes would be overwritten, and tells the
// user the outcome. True when everything recorded is back; the snapshot is
// then marked undone.
// Before undo.bat runs, every file of the snapshot is held so that nobody can
// change it until the check has ended, and compared with the digest that
// its registration recorded: a file that differs refuses the undo, naming it.
bool undoSnapshot(Platform& platform, const std::vector<SnapshotEntry>& entries, std::size_t index);

// The same from the window: refused, naming what goes on, while another
// change to the system goes on; the machine's change claim is held until
// the check has ended.
bool undoFromWindow(Platform& platform, const std::vector<SnapshotEntry>& entries,
                    std::size_t index);

// Sets aside a snapshot that cannot be undone (a file of it changed, say),
// after asking: it is no longer offered, and the ones before it can be
// undone without it. True when it was set aside.
bool setAsideSnapshot(Platform& platform, const SnapshotEntry& entry);
