// The undo dialog's two buttons: "撤销" runs the chosen record's undo plan as
// every window action runs (asking first when newer changes would be
// overwritten); "搁置" sets a record that cannot be undone aside, after asking.
#pragma once

#include "app/user_dialogs.h"
#include "platform/platform.h"
#include "undo/snapshot_store.h"

#include <cstddef>
#include <vector>

// entries newest first, as undoableSnapshots gives them. True when
// everything recorded is back.
bool undoFromWindow(Platform& machine, UserDialogs& user, const std::vector<SnapshotEntry>& entries,
                    std::size_t index);

// True when the record was set aside: it is no longer offered, and the ones
// before it can be undone without it.
bool setAsideFromWindow(Platform& machine, UserDialogs& user, const SnapshotEntry& entry);
