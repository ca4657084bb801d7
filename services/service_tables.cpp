#include "services/service_tables.h"

namespace {

constexpr StartMode AUTO = StartMode::Auto;
constexpr StartMode DEMAND = StartMode::Demand;
constexpr StartMode DISABLED = StartMode::Disabled;

const char* modeText(StartMode mode) {
    switch (mode) {
    case StartMode::Boot:
        return "BOOT";
    case StartMode::System:
        return "SYSTEM";
    case StartMode::Auto:
        return "AUTO";
    case StartMode::Demand:
        return "DEMAND";
    case StartMode::Disabled:
        return "DISABLED";
    case StartMode::DelayedAuto:
        return "DELAYED-AUTO";
    }
    return "";
}

} // namespace

// Rows 1 to 72 run alphabetically (case ignored); rows 73 to 79 form a second
// alphabetical run. Optimising leaves RSVP and wuauserv as they are.
const ServiceRow kOptimisedServices[kOptimisedServiceCount] = {
    {"Alerter", DISABLED, 1},                      // 1
    {"ALG", DISABLED, 1},                          // 2
    {"AppMgmt", DEMAND, 1},                        // 3
    {"AudioSrv", AUTO, 1},                         // 4
    {"BITS", DISABLED, 1},                         // 5
    {"Browser", DISABLED, 0},                      // 6
    {"CiSvc", DISABLED, 0},                        // 7
    {"ClipSrv", DISABLED, 1},                      // 8
    {"COMSysApp", DEMAND, 1},                      // 9
    {"CryptSvc", DEMAND, 1},                       // 10
    {"DcomLaunch", AUTO, 2},                       // 11
    {"Dhcp", AUTO, 2},                             // 12
    {"dmadmin", DEMAND, 1},                        // 13
    {"dmserver", AUTO, 1},                         // 14
    {"Dnscache", AUTO, 1},                         // 15
    {"ERSvc", DISABLED, 1},                        // 16
    {"Eventlog", AUTO, 1},                         // 17
    {"EventSystem", DEMAND, 1},                    // 18
    {"helpsvc", DISABLED, 1},                      // 19
    {"HidServ", DISABLED, 2},                      // 20
    {"HTTPFilter", DEMAND, 2},                     // 21
    {"ImapiService", DISABLED, 1},                 // 22
    {"lanmanserver", DISABLED, 1},                 // 23
    {"lanmanworkstation", AUTO, 2},                // 24
    {"LmHosts", DISABLED, 1},                      // 25
    {"Messenger", DISABLED, 2},                    // 26
    {"mnmsrvc", DISABLED, 1},                      // 27
    {"MSDTC", DISABLED, 1},                        // 28
    {"MSIServer", DEMAND, 1},                      // 29
    {"NetDDE", DISABLED, 2},                       // 30
    {"NetDDEdsdm", DISABLED, 2},                   // 31
    {"Netlogon", DISABLED, 1},                     // 32
    {"Netman", DEMAND, 1},                         // 33
    {"Nla", DISABLED, 1},                          // 34
    {"NtLmSsp", DISABLED, 2},                      // 35
    {"NtmsSvc", DEMAND, 1},                        // 36
    {"PlugPlay", AUTO, 2},                         // 37
    {"PolicyAgent", DEMAND, 1},                    // 38
    {"ProtectedStorage", AUTO, 2},                 // 39
    {"RasAuto", DEMAND, 2},                        // 40
    {"RasMan", DEMAND, 1},                         // 41
    {"RDSessMgr", DISABLED, 1},                    // 42
    {"remoteAccess", DISABLED, 2},                 // 43
    {"remoteRegistry", DISABLED, 1},               // 44
    {"RpcLocator", DISABLED, 1},                   // 45
    {"RpcSs", AUTO, 1},                            // 46
    {"SamSs", AUTO, 1},                            // 47
    {"SCardSvr", DISABLED, 2},                     // 48
    {"Schedule", AUTO, 1},                         // 49
    {"seclogon", AUTO, 1},                         // 50
    {"SENS", AUTO, 1},                             // 51
    {"SharedAccess", DEMAND, 1},                   // 52
    {"ShellHWDetection", AUTO, 2},                 // 53
    {"Spooler", AUTO, 2},                          // 54
    {"stisvc", DEMAND, 2},                         // 55
    {"swprv", DISABLED, 2},                        // 56
    {"SysmonLog", DISABLED, 1},                    // 57
    {"TapiSrv", DEMAND, 1},                        // 58
    {"TermService", DISABLED, 1},                  // 59
    {"Themes", AUTO, 1},                           // 60
    {"TrkWks", DISABLED, 1},                       // 61
    {"UMWdf", DEMAND, 1},                          // 62
    {"UPS", DISABLED, 1},                          // 63
    {"VSS", DISABLED, 1},                          // 64
    {"W32Time", DISABLED, 1},                      // 65
    {"WebClient", DISABLED, 1},                    // 66
    {"winmgmt", AUTO, 1},                          // 67
    {"WmdmPmSN", DISABLED, 1},                     // 68
    {"Wmi", DEMAND, 2},                            // 69
    {"WmiApSrv", DISABLED, 1},                     // 70
    {"WZCSVC", DISABLED, 1},                       // 71
    {"xmlprov", DEMAND, 1},                        // 72
    {"DcomLaunch", AUTO, 1},                       // 73
    {"FastUserSwitchingCompatibility", DEMAND, 1}, // 74
    {"srservice", DISABLED, 1},                    // 75
    {"SSDPSRV", DISABLED, 1},                      // 76
    {"TlntSvr", DISABLED, 1},                      // 77
    {"upnphost", DEMAND, 1},                       // 78
    {"wscsvc", DISABLED, 1},                       // 79
};

// Alphabetical (case ignored), each service once. RemoteAccess,
// RemoteRegistry and SwPrv carry another letter case than in the optimised
// table; the service control manager ignores case.
const ServiceRow kDefaultServices[kDefaultServiceCount] = {
    {"Alerter", DISABLED, 1},                      // 1
    {"ALG", DEMAND, 1},                            // 2
    {"AppMgmt", DEMAND, 1},                        // 3
    {"AudioSrv", AUTO, 1},                         // 4
    {"BITS", DEMAND, 1},                           // 5
    {"Browser", AUTO, 1},                          // 6
    {"CiSvc", DEMAND, 1},                          // 7
    {"ClipSrv", DISABLED, 1},                      // 8
    {"COMSysApp", DEMAND, 1},                      // 9
    {"CryptSvc", AUTO, 1},                         // 10
    {"DcomLaunch", AUTO, 1},                       // 11
    {"Dhcp", AUTO, 1},                             // 12
    {"dmadmin", DEMAND, 1},                        // 13
    {"dmserver", AUTO, 1},                         // 14
    {"Dnscache", AUTO, 1},                         // 15
    {"ERSvc", AUTO, 1},                            // 16
    {"Eventlog", AUTO, 1},                         // 17
    {"EventSystem", DEMAND, 1},                    // 18
    {"FastUserSwitchingCompatibility", DEMAND, 1}, // 19
    {"helpsvc", AUTO, 1},                          // 20
    {"HidServ", DISABLED, 1},                      // 21
    {"HTTPFilter", DEMAND, 1},                     // 22
    {"ImapiService", DEMAND, 1},                   // 23
    {"lanmanserver", AUTO, 1},                     // 24
    {"lanmanworkstation", AUTO, 1},                // 25
    {"LmHosts", AUTO, 1},                          // 26
    {"Messenger", DISABLED, 1},                    // 27
    {"mnmsrvc", DEMAND, 1},                        // 28
    {"MSDTC", DEMAND, 1},                          // 29
    {"MSIServer", DEMAND, 1},                      // 30
    {"NetDDE", DISABLED, 1},                       // 31
    {"NetDDEdsdm", DISABLED, 1},                   // 32
    {"Netlogon", DEMAND, 1},                       // 33
    {"Netman", DEMAND, 1},                         // 34
    {"Nla", DEMAND, 1},                            // 35
    {"NtLmSsp", DEMAND, 1},                        // 36
    {"NtmsSvc", DEMAND, 1},                        // 37
    {"PlugPlay", AUTO, 1},                         // 38
    {"PolicyAgent", AUTO, 1},                      // 39
    {"ProtectedStorage", AUTO, 0},                 // 40
    {"RasAuto", DEMAND, 2},                        // 41
    {"RasMan", DEMAND, 1},                         // 42
    {"RDSessMgr", DEMAND, 1},                      // 43
    {"RemoteAccess", DISABLED, 2},                 // 44
    {"RemoteRegistry", AUTO, 1},                   // 45
    {"RpcLocator", DEMAND, 1},                     // 46
    {"RpcSs", AUTO, 2},                            // 47
    {"RSVP", DEMAND, 1},                           // 48
    {"SamSs", AUTO, 1},                            // 49
    {"SCardSvr", DEMAND, 1},                       // 50
    {"Schedule", AUTO, 1},                         // 51
    {"seclogon", AUTO, 1},                         // 52
    {"SENS", AUTO, 1},                             // 53
    {"SharedAccess", AUTO, 1},                     // 54
    {"ShellHWDetection", AUTO, 1},                 // 55
    {"Spooler", AUTO, 1},                          // 56
    {"srservice", DISABLED, 1},                    // 57
    {"SSDPSRV", DEMAND, 1},                        // 58
    {"stisvc", DEMAND, 1},                         // 59
    {"SwPrv", DEMAND, 1},                          // 60
    {"SysmonLog", DEMAND, 1},                      // 61
    {"TapiSrv", DEMAND, 1},                        // 62
    {"TermService", DEMAND, 1},                    // 63
    {"Themes", AUTO, 1},                           // 64
    {"TlntSvr", DISABLED, 1},                      // 65
    {"TrkWks", AUTO, 1},                           // 66
    {"UMWdf", DEMAND, 1},                          // 67
    {"upnphost", DEMAND, 1},                       // 68
    {"UPS", DEMAND, 1},                            // 69
    {"VSS", DEMAND, 1},                            // 70
    {"W32Time", AUTO, 1},                          // 71
    {"WebClient", AUTO, 1},                        // 72
    {"winmgmt", AUTO, 1},                          // 73
    {"WmdmPmSN", DEMAND, 1},                       // 74
    {"Wmi", DEMAND, 1},                            // 75
    {"WmiApSrv", DEMAND, 1},                       // 76
    {"wscsvc", AUTO, 1},                           // 77
    {"wuauserv", AUTO, 1},                         // 78
    {"WZCSVC", AUTO, 1},                           // 79
    {"xmlprov", DEMAND, 1},                        // 80
};

std::string serviceConfigLine(const char* service, StartMode mode, int blanksAtEnd) {
    std::string line = "sc config   ";
    line += service;
    line += " start= ";
    line += modeText(mode);
    line.append(static_cast<std::size_t>(blanksAtEnd), ' ');
    return line;
}

ScriptLines serviceScriptLines(const ServiceRow* rows, std::size_t count,
                               const std::string& scriptName) {
    ScriptLines lines;
    lines.reserve(count + 1);
    for (std::size_t i = 0; i < count; ++i)
        lines.push_back(serviceConfigLine(rows[i]));
    lines.push_back("del " + scriptName);
    return lines;
}
