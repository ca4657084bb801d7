// The OEM logo picker window.
#pragma once

#include "script/plan_runner.h"

#include <functional>
#include <string>

class Platform;

// What the picker tells the window that opened it.
struct LogoPickerHooks {
    // The copy of the chosen logo (its path) was handed over to its script.
    std::function<void(const std::string& chosen)> logoReplaced;
    std::function<void()> closed; // the picker has gone
    BeforeChange beforeChange;    // runs before the logo is replaced (the undo snapshot)
};

// Shows the picker modeless, creating it when it is not open; a second call
// while it is open only brings it to the front. The picker has no owner, so
// closing the main window leaves it open; it counts among the top windows,
// the last of which ends the program.
void openLogoPicker(Platform& platform, const LogoPickerHooks& hooks);
