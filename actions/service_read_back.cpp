#include "actions/service_read_back.h"

#include "preview/setting_lines.h"

ServiceReadBack readBackServices(MachineFacts& machine, const Plan& plan) {
    ServiceReadBack found;
    for (const SettingState& s : serviceStates(machine, plan)) {
        if (s.state == SettingState::State::NotInstalled)
            found.notInstalled.push_back(s.what.substr(s.what.find(' ') + 1));
        else if (std::optional<std::string> line = checkLine(s))
            found.notInPlace.push_back(*line);
    }
    return found;
}
