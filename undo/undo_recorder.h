// The snapshot before a change: what the handlers give the runner as its
// BeforeChange, so that nothing changes without a way back.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <optional>
#include <string>

// Records and saves what the plan will change. nullopt when the snapshot is
// saved (or the plan changes nothing that can be recorded); otherwise the
// text that tells the user why nothing was changed.
std::optional<std::string> saveUndoSnapshot(Platform& platform, const Plan& plan);

// The window's BeforeChange: the machine's change claim first (refused,
// naming what goes on, while another change goes on), then the snapshot.
// The caller gives the claim up (releaseChange) once the plan has run; it
// then lasts until the plan's scripts have ended.
std::optional<std::string> claimAndSaveSnapshot(Platform& platform, const Plan& plan);
