// The two files that undo a snapshot, readable and runnable by hand:
//
//  - "undo.bat" (code page 936, CR LF): an "sc config" line per service in
//    the program's usual shape, "start /wait regedit /s" of undo.reg, then a
//    copy of each saved file back into place (or its deletion when it did
//    not exist). Every tool is named by its full path in the Windows folder
//    the snapshot was taken on, and its own files as %~dp0, so that it runs
//    the same from any current directory; started by a 32-bit interpreter
//    on 64-bit Windows, it runs itself again in the native one.
//  - "undo.reg" ("Windows Registry Editor Version 5.00", UTF-16LE with a
//    byte-order mark: the form regedit itself exports, so that every value
//    comes back with its exact type and data whatever the system's code
//    page): each value as it was, or its deletion (the values written into
//    keys the change created among them); each deleted key with its values
//    and subkeys. A .reg file cannot delete a key only when it is empty: the
//    keys the change created are named in undo.bat, and the program deletes
//    those that nothing else has filled once undo.bat has run.
#pragma once

#include "platform/local_time.h"
#include "platform/machine_state.h"
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
