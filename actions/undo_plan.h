// Undo as a plan: the record's undo.bat and the comparison of the machine
// with the record, run by the same runner behind the same guards as every
// other change (administrator rights, the machine's change claim).
#pragma once

#include "script/plan.h"
#include "undo/snapshot_store.h"

#include <cstddef>
#include <string>
#include <vector>

// What the window and the command line call an undo.
constexpr char kUndoAction[] = "撤销更改";

// The line that names a snapshot in the list ("2024-05-01 12:30:05  系统常规优化").
std::string snapshotLabel(const SnapshotEntry& entry);

// Undoing entries[index] (newest first, as undoableSnapshots gives them):
// with newer changes not undone, the plan first asks whether to go on, as
// they might be overwritten.
Plan undoPlan(const std::vector<SnapshotEntry>& entries, std::size_t index);

// Undoing the record of that name, or without one the newest not yet undone,
// as found once the claim is held; nothing is asked.
Plan undoRecordPlan(const std::optional<std::string>& record);
