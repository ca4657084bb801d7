// What running actions came to, as a value: the runner tells and asks no
// one. The window turns it into its message boxes, the command line into its
// output lines, log lines and exit code.
#pragma once

#include <string>
#include <vector>

enum class RunOutcome {
    Refused, // nothing was changed; `reason` says why
    Done,    // everything handed over and written (and, when waited for, in place)
    Failed,  // something was not; `message` says what
};

// Why an action was refused before it changed anything.
enum class RefusalReason {
    None,
    PlanRefused,        // the plan itself says why (a value that cannot be written)
    NeedsConfirmation,  // the plan's question has not been answered yes
    NetworkFolder,      // scripts cannot run from the current (network) folder
    NeedsAdministrator, // the process lacks administrator rights
    StillRunning,       // a script of the plan still runs from before: `detail` names it
    ChangeGoing,        // another change holds the machine: `detail` names it
    CannotClaim,        // the change claim could not be taken: `detail` says why
    NotRecorded,        // the undo record could not be saved, or a record to undo was spoiled
    RecordGone,         // the record to undo is no longer one that can be undone
};

struct ActionResult {
    std::string action; // the plan's action, in the window's words
    RunOutcome outcome = RunOutcome::Done;
    RefusalReason reason = RefusalReason::None;
    std::string detail;
    // What the window says: the refusal or the question, the success text
    // (empty: a success says nothing) or the failures.
    std::string message;
    // Found by the check after the scripts ended (only when waited for): what
    // is not in place, and the services this machine does not have.
    std::vector<std::string> notInPlace;
    std::vector<std::string> notInstalled;

    bool done() const { return outcome == RunOutcome::Done && notInPlace.empty(); }
};

// A result that says `message` for `action`.
inline ActionResult actionResult(const std::string& action, RunOutcome outcome,
                                 const std::string& message,
                                 RefusalReason reason = RefusalReason::None,
                                 const std::string& detail = "") {
    ActionResult result;
    result.action = action;
    result.outcome = outcome;
    result.reason = reason;
    result.detail = detail;
    result.message = message;
    return result;
}

// One result per action run, in order; a refusal before any action ran is
// the one result.
struct RunResult {
    std::vector<ActionResult> actions;
};
