// The one way the program changes the system through scripts: write a batch
// script completely into the current directory, then launch it without
// waiting. A script that could not be written completely is never launched,
// and a script whose earlier run is still going is never rewritten.
#pragma once

#include "platform/platform.h"
#include "script/script_file.h"

#include <string>
#include <vector>

// Collects the scripts of one user action and tells the user the outcome.
class ScriptRun {
public:
    explicit ScriptRun(Platform& platform) : platform_(platform) {}

    // Starts a new action: forgets the failures of the previous one.
    void begin() { failures_.clear(); }

    // Whether an action that changes the system may write these scripts now:
    // not without administrator rights (its commands would all fail), and not
    // while one of them still runs from an earlier action. When it may not,
    // the user has been told why and nothing has been written.
    bool mayChangeSystem(const std::vector<std::string>& scripts);

    // Writes and launches one script. False (and the failure is kept) when it
    // was not handed over to the command interpreter.
    bool run(const std::string& name, const ScriptLines& lines, ShowState show);

    bool allHandedOver() const { return failures_.empty(); }
    // One line per script that was not handed over, naming it and the reason.
    const std::vector<std::string>& failures() const { return failures_; }

    // Notifies `successText` when every script was handed over, otherwise
    // the failures.
    void announce(const std::string& successText);

private:
    Platform& platform_;
    std::vector<std::string> failures_;
};

// The notification text for failures that kept an action from completing.
std::string failureNotice(const std::vector<std::string>& failures);
