// What the program reads of the machine and the process without changing it:
// the Windows folder and version, the rights, how a service starts, the
// environment and the clock.
#pragma once

#include "platform/error_codes.h"
#include "platform/local_time.h"
#include "platform/machine_state.h"

#include <optional>
#include <string>

class MachineFacts {
public:
    virtual ~MachineFacts() = default;

    virtual std::string windowsDirectory() = 0;
    // The version of Windows, not the one a compatibility mode pretends.
    virtual WindowsVersion windowsVersion() = 0;
    // True when the process may change the system (administrator rights).
    virtual bool isAdministrator() = 0;
    // The configured start mode of a service; kErrorServiceDoesNotExist when
    // no such service is installed.
    virtual ErrorCode readServiceStartMode(const std::string& service, StartMode* mode) = 0;
    // The configured start mode of a service; nullopt when it cannot be read
    // (readServiceStartMode says why).
    std::optional<StartMode> serviceStartMode(const std::string& service) {
        StartMode mode = StartMode::Demand;
        if (readServiceStartMode(service, &mode) != 0)
            return std::nullopt;
        return mode;
    }
    // A variable of this process's environment ("SystemDrive", "USERPROFILE");
    // nullopt when it is not set.
    virtual std::optional<std::string> environmentVariable(const std::string& name) = 0;
    // The local date and time.
    virtual LocalTime localTime() = 0;
};
