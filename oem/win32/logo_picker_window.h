// The OEM logo picker window.
#pragma once

#include "script/plan_runner.h"

#include <functional>

class Platform;

// What the picker tells the window that opened it.
struct LogoPickerHooks {
    std::function<void()> logoReplaced; // the copy of the chosen logo was handed over
    std::function<void()> closed;       // the picker has gone
    BeforeChange beforeChange;          // runs before the logo is replaced
};

// Shows the picker modeless, creating it when it is not open; a second call
// while it is open only brings it to the front. The picker has no owner, so
// closing the main window leaves it open; it counts among the top windows,
// the last of which ends the program.
void openLogoPicker(Platform& platform, const LogoPickerHooks& hooks);
