// The OEM panel's values as the machine stands: the registered owner and
// organisation, the manufacturer and model of the OEM information file, and
// the logo to show.
#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>

struct OemPanelValues {
    // A value that cannot be read leaves its box empty.
    std::optional<std::string> owner;
    std::optional<std::string> organization;
    std::optional<std::string> manufacturer;
    std::optional<std::string> model;
    std::optional<std::string> logoPath; // the installed logo, when there is one
};

// Reads them. Where the system folder lists no OEM information file an empty
// one is created, unless a file of that name exists already (hidden, or in
// another letter case), which is never emptied.
OemPanelValues readOemPanelValues(Platform& platform);
