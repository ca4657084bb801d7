// What one user action will do, decided before anything runs: the scripts it
// writes and launches, the files and registry values it writes itself, what
// all of that changes on the machine, what must hold once it has ended, and
// what the user is told. The window and the command line build a plan from
// their inputs and hand it to the runner (actions/action_runner.h); nothing
// decides twice.
#pragma once

#include "platform/machine_state.h"
#include "script/script_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A batch script: a bare name in the current directory, its lines, and the
// show state it is launched with.
struct PlannedScript {
    std::string name;
    ScriptLines lines;
    ShowState show = ShowState::Hidden;
};

// A file the program writes itself, replacing what was there.
struct PlannedFileWrite {
    std::string path;
    std::string bytes;
};

// A registry string the program writes itself, by its full value name
// ("HKEY_LOCAL_MACHINE\SOFTWARE\...\ValueName").
struct PlannedRegistryWrite {
    std::string fullName;
    std::string data;
    std::string label; // the field the user knows it by, for a failure message
};

// A service whose configured start mode the plan sets.
struct ServiceChange {
    std::string service;
    StartMode mode;
};

// The type and data a value is given: REG_SZ (1) with its text (UTF-8),
// REG_BINARY (3) or REG_DWORD (4) with their bytes as stored.
struct RegistryData {
    std::uint32_t type = 0;
    std::string data;
};

RegistryData registryText(const std::string& text);
RegistryData registryDword(std::uint32_t number);
RegistryData registryBinary(const std::string& bytes);

// A registry change the plan makes. Keys are full names
// ("HKEY_CLASSES_ROOT\lnkfile"); an empty value name is the key's default value.
struct RegistryChange {
    enum class Kind {
        SetValue,    // the value is written
        DeleteValue, // the value is deleted
        CreateKey,   // the key is created when it is missing
        DeleteKey,   // the key is deleted with its values and subkeys
    };
    Kind kind;
    std::string key;
    std::string value;
    // What a script sets the value to, read back once it has ended. A value
    // the program writes itself is checked from its PlannedRegistryWrite.
    std::optional<RegistryData> setTo = std::nullopt;
};

// Undoing a recorded change: the record by its folder's name, or, without
// one, the newest change not yet undone. Which one that is is decided once
// the machine's change claim is held, so that no other change comes between.
struct UndoRequest {
    std::optional<std::string> record;
};

// What the runner does when a script of the plan still runs from before.
enum class IfStillRunning {
    Refuse,       // say so and write nothing
    BringToFront, // show that script's console instead, say nothing
    Report,       // run the rest; name that script among the failures
};

struct Plan {
    // The action in the window's words ("系统常规优化").
    std::string action;

    // What it does, in this order.
    std::vector<PlannedScript> scripts;
    std::vector<PlannedFileWrite> fileWrites;
    std::vector<PlannedRegistryWrite> registryWrites;

    // What that changes on the machine.
    std::vector<ServiceChange> services;
    std::vector<RegistryChange> registry;
    std::vector<std::string> files; // full paths of files replaced

    // Files its scripts make, with the bytes they must hold once the scripts
    // have ended (the logo that "fuzhi.bat" copies).
    std::vector<PlannedFileWrite> expectedFiles;

    // Set: the plan undoes a recorded change instead (its undo.bat, then the
    // machine compared with the record); the lists above stay empty.
    std::optional<UndoRequest> undo;

    // Before anything is written.
    std::optional<std::string> refusal; // set: nothing runs; this is said instead
    // The service settings are made for Windows XP and 2003: elsewhere the
    // plan runs only once the user has said yes (the window asks, the
    // command line wants /force).
    bool asksOnOtherWindows = false;
    // A question the user must have answered yes before it runs.
    std::optional<std::string> question;
    bool needsAdministrator = false;
    // What a refusal for want of administrator rights says, when not the usual.
    std::optional<std::string> administratorRefusal;
    IfStillRunning ifStillRunning = IfStillRunning::Report;

    // After: the success text (none: a success says nothing), or the failures.
    std::optional<std::string> successText;
    std::string failureHeading = "操作未能全部完成：";
    std::vector<std::string> knownFailures; // found while planning
    bool administratorHintOnFailure = false;
};

// Adds the work and the changes of `piece` (a script and what it changes)
// after those of `plan`.
void append(Plan& plan, const Plan& piece);

// A plan that does nothing but say `text`.
Plan refusedPlan(const std::string& action, const std::string& text);

// The names of the plan's scripts, in launch order.
std::vector<std::string> scriptNames(const Plan& plan);
