// One change to the system at a time, on the whole machine: the window, the
// command line and undo alike take the machine's change claim from before
// the snapshot until the change's scripts have ended. The claim is a file in
// the program's folder held open without sharing its writing: only
// administrators may make a file there, so no other user can take the claim
// first and keep the program from changing anything, nor take it over, and
// the end of the process that holds it (even a crash) gives it up. (A
// machine-wide named object would not do: any user may create the name first,
// and Windows XP has no namespace that only administrators may use.)
#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>

// The file whose holder has the claim.
std::string changeLockPath(Platform& platform);

struct ClaimFailure {
    bool going = false;  // another change goes on: `holder` names it
    std::string holder;  // "“系统常规优化”", as the holder named itself
    std::string failure; // otherwise why the claim could not be taken
};

// Takes the claim for `what` (named as the refusals of others name it,
// quotation marks included); nullopt when taken.
std::optional<ClaimFailure> claimMachineChange(Platform& platform, const std::string& what);

// What the window tells whoever is refused while another change goes on.
std::string changeGoingText(const ClaimFailure& failure);

// What the window tells when an undo cannot take the claim for `failure`.
std::string cannotBeginText(Platform& platform, const std::string& failure);
