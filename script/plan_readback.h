// The registry changes that a plan's scripts make, read back from the machine
// once the scripts have ended: a script can end without error and still have
// changed nothing (an import blocked by policy or a security product).
#pragma once

#include "platform/registry.h"
#include "script/plan.h"

#include <string>
#include <vector>

// One line for each change that is not in place, naming the value or key; a
// value the program writes itself (no setTo) is left to its own check.
std::vector<std::string> registryNotInPlace(Registry& registry,
                                            const std::vector<RegistryChange>& changes);

// True when a value as read holds the type and data a change sets.
bool registryHolds(const RegistryValue& value, const RegistryData& wanted);
