// What the registration of a snapshot holds: the data of its value under
// HKLM\SOFTWARE\Velkor\Undo, where only administrators may write. One line
// each, CR LF between them:
//
//   系统常规优化                    the action
//   sequence 12                     the program's own count of its records
//   sha256 undo.bat 9f86d081...     the SHA-256 of each file of the folder
//
// The count orders the records whatever the clock said when they were made;
// the digests let an undo run only the files the program wrote.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SnapshotRecord {
    std::string action;
    std::uint32_t sequence = 0; // 0: a record without a count (made by an earlier version)
    std::vector<std::pair<std::string, std::string>> digests; // file name, 64 hex digits
};

std::string recordText(const SnapshotRecord& record);

// The record in a registration's data. A registration of an earlier version
// holds the action alone: its record has no count and no digests.
SnapshotRecord parseRecord(const std::string& text);
