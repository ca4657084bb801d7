// The outcome of a run from the command line: one line per action, written
// to the console or redirected output the program was started with, appended
// to the log with the time and the exit code, and, without /quiet, shown in a
// message box when there is no console to show it.
#pragma once

#include "cli/console.h"
#include "cli/exit_codes.h"
#include "platform/platform.h"

#include <string>
#include <vector>

// "...\Application Data\Velkor\velkor-log.txt": where the log of every run
// lies. Not "*.log": the junk cleanup deletes every such file on the system
// drive, and the log would not outlive the next cleanup.
std::string logFolder(const std::string& commonData);
std::string logPath(const std::string& commonData);

class RunReport {
public:
    RunReport(Platform& machine, Console& console, bool quiet, const std::vector<std::string>& args)
        : machine_(machine), console_(console), quiet_(quiet), args_(args) {}

    void add(const std::string& line);

    // A file the technician named (/log:) that gets the same lines as the
    // program's own log; never written through a link.
    void alsoLogTo(const std::string& path) { extraLog_ = path; }

    // Tells the outcome; the process's exit status.
    int finish(ExitCode code);

private:
    // The log's bytes for this run: code page 936, CR LF after every line.
    std::string logBytes(ExitCode code);

    Platform& machine_;
    Console& console_;
    bool quiet_;
    std::vector<std::string> args_;
    std::vector<std::string> lines_;
    std::string extraLog_;
};
