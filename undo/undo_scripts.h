// The two files that undo a snapshot, readable and runnable by hand:
//
//  - "undo.bat" (code page 936, CR LF): an "sc config" line per service in
//    the program's usual shape, "start /wait regedit /s" of undo.reg, then a
//    copy of each saved file back into place (or its deletion when it did
//    not exist). It names its own folder as %~dp0, so it runs from any
//    current directory.
//  - "undo.reg" ("Windows Registry Editor Version 5.00", UTF-16LE with a
//    byte-order mark: the form regedit itself exports, so that every value
//    comes back with its exact type and data whatever the system's code
//    page): each value as it was, or its deletion; each deleted key with its
//    values and subkeys; the deletion of each key the change created.
#pragma once

#include "platform/platform.h"
#include "script/script_file.h"
#include "undo/snapshot.h"

#include <cstddef>
#include <optional>
#include <string>

constexpr const char* kUndoBatName = "undo.bat";
constexpr const char* kUndoRegName = "undo.reg";

// Two comment lines that name the action and the time, then the work.
constexpr std::size_t kUndoBatHeaderLines = 2;
ScriptLines undoBatLines(const Snapshot& shot, const std::string& action, const LocalTime& time);

// True when the snapshot has something for undo.reg.
bool needsUndoReg(const Snapshot& shot);
// The bytes of undo.reg; nullopt when a name is not valid text.
std::optional<std::string> undoRegBytes(const Snapshot& shot);

// One value as a .reg line ("\"Link\"=hex:00,00,00,00"), long data wrapped
// onto further lines as regedit does.
std::string regValueLines(const RegistryValue& value);
