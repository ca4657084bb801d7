// Whether an undo brought everything back: the snapshot that the saved scope
// yields now must make the same undo files as the saved ones. A service in
// another start mode, a value with other data, a key that is still there or
// a file with other bytes each changes a line of undo.bat or undo.reg or a
// saved copy.
#pragma once

#include "platform/platform.h"
#include "undo/snapshot.h"
#include "undo/snapshot_store.h"

#include <optional>
#include <string>
#include <vector>

// What is not as it was into *found (none: everything is back): the lines of
// undo.bat, the keys of undo.reg and the saved files that did not take
// effect. False and the reason in *failure when the check itself could not
// be made. With `notes`, a service installed or removed since the snapshot
// is noted there instead of being found: no undo can give that back.
bool notRestored(Platform& platform, const SnapshotEntry& entry, const SnapshotScope& scope,
                 std::vector<std::string>* found, std::string* failure,
                 std::vector<std::string>* notes = nullptr);
