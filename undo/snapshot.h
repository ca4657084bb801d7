// An undo snapshot: the state of everything a plan will change, recorded
// before the plan writes anything.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <optional>
#include <string>
#include <vector>

// What a snapshot covers: what the plan changes, and its scripts, which must
// have ended before the snapshot is undone.
struct SnapshotScope {
    std::vector<std::string> scripts;
    std::vector<std::string> services;
    std::vector<RegistryChange> registry;
    std::vector<std::string> files;
    // Saved with a snapshot: the keys it found missing that the plan
    // creates (Snapshot::newKeys), which an undo deletes once they are empty.
    std::vector<std::string> createdKeys;
};
SnapshotScope scopeOf(const Plan& plan);

struct ServiceState {
    std::string service;
    std::optional<StartMode> mode; // nullopt: not installed
};

// A value the plan writes or deletes; one that the plan writes into a key
// it creates is recorded as absent.
struct ValueState {
    std::string key;
    std::string name;
    std::optional<RegistryValue> value; // nullopt: absent
};

// A key the plan deletes, with everything it held.
struct KeyState {
    std::string key;
    std::optional<RegistryTree> tree; // nullopt: absent
};

// A file the plan replaces; a present file is saved as `savedName` in the
// snapshot's folder.
struct FileState {
    std::string path;
    std::optional<std::string> bytes; // nullopt: absent
    std::string savedName;
    std::uint32_t attributes = 0; // its read-only, hidden and system attributes
};

struct Snapshot {
    std::vector<ServiceState> services;
    std::vector<ValueState> values;
    std::vector<KeyState> deletedKeys;
    // Keys that did not exist and that the plan creates, directly or by
    // writing a value into them, each with every missing key above it; a
    // key comes after the key that holds it. An undo deletes only those
    // that nothing else has filled since, from the bottom up.
    std::vector<std::string> newKeys;
    std::vector<FileState> files;
    // The Windows folder, whose tools the undo script calls by full path.
    std::string windowsFolder;

    bool empty() const {
        return services.empty() && values.empty() && deletedKeys.empty() && newKeys.empty() &&
               files.empty();
    }
};

// Records the state of what the scope covers. nullopt, and the reason in
// *failure, when something could not be read.
std::optional<Snapshot> takeSnapshot(Platform& platform, const SnapshotScope& scope,
                                     std::string* failure);
