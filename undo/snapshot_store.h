// Where snapshots live: one folder each in the program's folder
// ("...\Velkor\undo\YYYYMMDD-HHMMSS"), holding undo.bat, undo.reg,
// the saved files, "action.txt" (the action's name, one line) and the scope
// an undo is checked against. A folder is written under a temporary name and
// renamed when complete, so it appears whole or not at all, and then
// recorded under HKLM\SOFTWARE\Velkor\Undo (value: the folder's name, data:
// the record, undo/snapshot_record.h): only recorded folders are offered. An
// undone snapshot gets an "undone.txt", one set aside a "set-aside.txt", and
// is not offered again.
#pragma once

#include "platform/platform.h"
#include "undo/snapshot.h"
#include "undo/snapshot_record.h"

#include <optional>
#include <string>
#include <vector>

// The program's own snapshots, by folder name, where only administrators may
// write: a folder that the program did not record is never offered, as its
// undo.bat would run with administrator rights.
constexpr char kSnapshotRecords[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor\\Undo\\";

// Where the program keeps the count of its records.
constexpr char kSnapshotSequence[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor\\Sequence";

struct SnapshotEntry {
    std::string folder; // full path
    std::string time;   // "2024-05-01 12:30:05"
    std::string action; // "系统常规优化"
    std::string name;   // the folder's own name, "20240501-123005"
    SnapshotRecord record;
};

// The folder that holds the snapshots; empty when there is none.
std::string snapshotsFolder(Platform& platform);

// The files of a snapshot folder (name and bytes) for a snapshot of `scope`
// taken at `time` before `action`; false and the reason in *failure when
// they cannot be made.
struct SnapshotFile {
    std::string name;
    std::string bytes;
};
bool snapshotFiles(const Snapshot& shot, const SnapshotScope& scope, const std::string& action,
                   const LocalTime& time, std::vector<SnapshotFile>* files, std::string* failure);

// Saves a snapshot of `scope` taken now, before `action`; nullopt when it is
// complete on the disk and registered there, with its number and the digest
// of each file, else why not. `changes`: what the action is about to change,
// one line each, in the words of a preview ("changes.txt").
std::optional<std::string> saveSnapshot(Platform& platform, const Snapshot& shot,
                                        const SnapshotScope& scope, const std::string& action,
                                        const std::vector<std::string>& changes = {});

// What the change of a snapshot changed, as saved with it; empty for a
// snapshot saved without it.
std::vector<std::string> snapshotChanges(Platform& platform, const SnapshotEntry& entry);

// The snapshots not yet undone nor set aside, the last one the program made
// first (by its count, not by the clock).
std::vector<SnapshotEntry> undoableSnapshots(Platform& platform);

ErrorCode markUndone(Platform& platform, const SnapshotEntry& entry);
// A snapshot that cannot be undone is set aside: not offered again, its
// folder kept as it is.
ErrorCode setAside(Platform& platform, const SnapshotEntry& entry);
