// The fixed tables of Windows services and the start modes the program gives
// them, as rows of data, and the one shape of a start-mode line:
//
//   "sc config   " service " start= " MODE, then 0 to 2 blanks
//
// A reader finds "line 43 of fwyh.bat" as row 43 of kOptimisedServices.
#pragma once

#include "platform/machine_state.h"
#include "script/script_file.h"

#include <cstddef>
#include <string>

struct ServiceRow {
    const char* service; // in the letter case this script carries
    StartMode mode;
    int blanksAtEnd; // blanks after the mode: 0, 1 or 2
};

// "fwyh.bat": the recommended start modes (79 rows, DcomLaunch twice).
constexpr const char* kOptimisedServicesScript = "fwyh.bat";
constexpr std::size_t kOptimisedServiceCount = 79;
extern const ServiceRow kOptimisedServices[kOptimisedServiceCount];

// "huifu.bat": the default start modes of Windows XP (80 rows).
constexpr const char* kDefaultServicesScript = "huifu.bat";
constexpr std::size_t kDefaultServiceCount = 80;
extern const ServiceRow kDefaultServices[kDefaultServiceCount];

// The one line that sets a service's start mode, trailing blanks included.
std::string serviceConfigLine(const char* service, StartMode mode, int blanksAtEnd);
inline std::string serviceConfigLine(const ServiceRow& row) {
    return serviceConfigLine(row.service, row.mode, row.blanksAtEnd);
}

// A service script: one start-mode line per row, in table order, then the
// line that deletes the script ("del " and its bare name).
ScriptLines serviceScriptLines(const ServiceRow* rows, std::size_t count,
                               const std::string& scriptName);
template <std::size_t N>
ScriptLines serviceScriptLines(const ServiceRow (&rows)[N], const std::string& scriptName) {
    return serviceScriptLines(rows, N, scriptName);
}
