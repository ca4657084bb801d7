#include "actions/service_read_back.h"

#include "preview/setting_lines.h"

ServiceReadBack readBackServices(Platform& sys, const Plan& plan) {
    ServiceReadBack found;
    for (const SettingState& s : serviceStates(sys, plan)) {
        if (s.state == SettingState::State::NotInstalled)
            found.notInstalled.push_back(s.what.substr(s.what.find(' ') + 1));
        else if (std::optional<std::string> line = checkLine(s))
            found.notInPlace.push_back(*line);
    }
    return found;
}
