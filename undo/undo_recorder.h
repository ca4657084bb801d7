// The snapshot before a change, which the runner saves before a plan's first
// change, so that nothing changes without a way back.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <optional>
#include <string>

// Records and saves what the plan will change. nullopt when the snapshot is
// saved (or the plan changes nothing that can be recorded); otherwise the
// text that tells the user why nothing was changed.
std::optional<std::string> saveUndoSnapshot(Platform& platform, const Plan& plan);

// What the user is told when the snapshot cannot be saved for `failure`.
std::string snapshotFailureText(Platform& platform, const std::string& failure);
