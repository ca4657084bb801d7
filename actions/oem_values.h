// Applying OEM information as a plan: the manufacturer and model into the OEM
// information file, the owner and organisation into the registry. The program
// writes these itself; no script runs. Only the values given are written: the
// window gives all four, the command line those its switches name.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <optional>
#include <string>

struct OemValues {
    std::optional<std::string> owner;        // RegisteredOwner
    std::optional<std::string> organization; // RegisteredOrganization
    std::optional<std::string> manufacturer; // Manufacturer= of the OEM information file
    std::optional<std::string> model;        // Model= of the OEM information file

    // Whether the plan writes the OEM information file.
    bool inFile() const { return manufacturer || model; }
};

// The OEM information file as it stands: its bytes, or why it could not be
// read (a missing file is no failure: a new one is written).
struct CurrentFile {
    std::optional<std::string> bytes;
    ErrorCode readError = 0;
};

// The plan from the values given, the Windows directory and the current file
// (read only when the manufacturer or the model is given; the one not given
// keeps what the file holds). A value that the OEM text rule refuses
// (oem/oem_text_rule.h) refuses the whole action.
Plan oemValuesPlan(const OemValues& values, const std::string& windowsDir,
                   const CurrentFile& current);

// The same, with the current file read from the machine when it is written.
Plan planOemValues(Platform& platform, const OemValues& values);
