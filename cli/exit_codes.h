// The exit codes of a run from the command line: what a start-up script, an
// unattended installation or a remote-execution tool reads back.
#pragma once

enum class ExitCode {
    Done = 0,               // every action done and, where it can be seen, in place
    BadSwitches = 1,        // the command line cannot be carried out; nothing written
    NeedsAdministrator = 2, // administrator rights are needed; nothing written
    NotWritten = 3,         // a script or file could not be written, started or checked
    OtherWindows = 4,       // services asked on a Windows other than XP or 2003, no /force
    StillRunning = 5,       // another change is still going; nothing written
    NotInPlace = 6,         // /check: the machine differs from what the actions set
};

inline int exitStatus(ExitCode code) {
    return static_cast<int>(code);
}
