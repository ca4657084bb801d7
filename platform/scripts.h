// Scripts: written guarded, started through the command interpreter, watched
// until they end.
#pragma once

#include "platform/error_codes.h"
#include "platform/machine_state.h"

#include <cstdint>
#include <string>
#include <vector>

class Scripts {
public:
    virtual ~Scripts() = default;

    // Writes a script (bare name, current directory) as a new file and guards
    // it: from the write until the command interpreter that the next
    // launchScript of it starts has ended, no other process can write,
    // rename, replace or delete it. Other readers may still read it.
    virtual ErrorCode writeScript(const std::string& name, const std::string& bytes) = 0;
    // Starts the command interpreter on a script (bare name, current
    // directory) with the given show state, without waiting for it.
    virtual ErrorCode launchScript(const std::string& name, ShowState show) = 0;
    // True while the process that the last launch of this script started runs.
    virtual bool isScriptRunning(const std::string& name) = 0;
    // Brings the console window of that running script to the front.
    virtual bool bringScriptToFront(const std::string& name) = 0;
    // Waits until the process that the last launch of this script started
    // has ended; false when no launch of this script started one.
    virtual bool waitForScript(const std::string& name) = 0;
    // The scripts whose interpreter has ended since the last call. A guarded
    // script cannot delete itself with its last line, so each is deleted here.
    virtual std::vector<std::string> finishedScripts() = 0;
    // Runs a script (full path) hidden through the command interpreter in the
    // script's own folder and waits for it to end; the window stays painted
    // but takes no input meanwhile.
    virtual ErrorCode runScriptAndWait(const std::string& path, std::uint32_t* exitCode) = 0;
};
