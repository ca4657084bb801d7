// The OEM logo picker window.
#pragma once

#include <functional>
#include <string>

class Platform;
class UserDialogs;

// What the picker tells the window that opened it.
struct LogoPickerHooks {
    // The copy of the chosen logo (its path) was handed over to its script.
    std::function<void(const std::string& chosen)> logoReplaced;
    std::function<void()> closed; // the picker has gone
};

// Shows the picker modeless, creating it when it is not open; a second call
// while it is open only brings it to the front. The picker has no owner, so
// closing the main window leaves it open; it counts among the top windows,
// the last of which ends the program.
void openLogoPicker(Platform& platform, UserDialogs& user, const LogoPickerHooks& hooks);
