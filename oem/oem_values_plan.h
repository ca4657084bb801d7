// Applying OEM information as a plan: the manufacturer and model into the OEM
// information file, the owner and organisation into the registry. The program
// writes these itself; no script runs.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <optional>
#include <string>

struct OemValues {
    std::string owner;        // RegisteredOwner
    std::string organization; // RegisteredOrganization
    std::string manufacturer; // Manufacturer= of the OEM information file
    std::string model;        // Model= of the OEM information file
};

// The OEM information file as it stands: its bytes, or why it could not be
// read (a missing file is no failure: a new one is written).
struct CurrentFile {
    std::optional<std::string> bytes;
    ErrorCode readError = 0;
};

// The plan from the four values, the Windows directory and the current file.
// A manufacturer or model that code page 936 cannot hold, or that holds a line
// break, refuses the whole action.
Plan oemValuesPlan(const OemValues& values, const std::string& windowsDir,
                   const CurrentFile& current);

// The same, with the current file read from the machine.
Plan planOemValues(Platform& platform, const OemValues& values);
