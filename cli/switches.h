// The switches of the command line: Windows style "/name" and "/name:value"
// ("-name" too), names in any letter case. Parsing only reads the words: what
// the machine holds (the logo file, the current OEM values) is looked at when
// the switches become plans (cli/command_plans.h).
#pragma once

#include "actions/routine_optimisation.h"
#include "services/service_choices.h"

#include <optional>
#include <string>
#include <vector>

// Whether a Windows command line holds anything after the program's name,
// which is quoted up to the next quote or ends at the first blank. When in
// doubt, true (the line is then split in full).
bool anythingAfterProgramName(const wchar_t* line);

struct CommandLine {
    bool help = false;  // /?
    bool quiet = false; // /quiet: no window, no message box

    bool optimize = false;                  // the routine optimisation ("下一步", first option)
    bool restore = false;                   // the default start modes ("下一步", second option)
    std::optional<TweakChoices> tweaks;     // /tweaks: as given
    std::optional<ServiceChoices> services; // /services: the 17 choices
    bool clean = false;                     // the junk cleanup

    // The OEM values given; one not given keeps its current value.
    std::optional<std::string> owner;
    std::optional<std::string> organization;
    std::optional<std::string> manufacturer;
    std::optional<std::string> model;
    std::optional<std::string> logo; // the bitmap to install

    std::optional<std::string> exportFolder; // write the scripts there, run nothing

    bool undo = false;                   // undo the newest change not yet undone
    bool undoList = false;               // /undo:list: list the records instead
    std::optional<std::string> undoName; // /undo:<name>: undo that record
    bool force = false;                  // change services on a Windows other than XP or 2003 too

    bool whatIf = false; // show what the actions would change; change nothing
    bool check = false;  // compare the machine with what the actions set; change nothing
    std::optional<std::string> logFile; // /log: the run's lines appended there too

    bool changesOemValues() const { return owner || organization || manufacturer || model; }
};

struct ParsedCommandLine {
    CommandLine line;
    // Why the command line cannot be carried out, in Chinese and English.
    std::optional<std::string> error;
};

// The arguments after the program's name, UTF-8. /quiet and /? are honoured
// even when something else is wrong.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

// One switch on its own ("/owner:信息中心"), by the rules of its value but not
// those of the whole line; why it is wrong, or nullopt.
std::optional<std::string> checkSwitch(const std::string& arg);
