// What a snapshot covers, saved beside it ("scope.txt"): the plan's scripts,
// services, registry changes and files, and the keys the snapshot found
// missing that the plan creates, one a line, fields between tabs. An undo records the same
// scope again and checks that it yields the same undo files: only then is
// everything back as it was.
#pragma once

#include "undo/snapshot.h"

#include <optional>
#include <string>

constexpr const char* kScopeName = "scope.txt";

// nullopt when a name holds a tab or a line break, which the text cannot carry.
std::optional<std::string> scopeText(const SnapshotScope& scope);
// False when the text is not a scope.
bool parseScope(const std::string& text, SnapshotScope* scope);
