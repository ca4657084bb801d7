#include "cli/preview_check.h"

#include "platform/number_text.h"
#include "preview/junk_counts.h"
#include "preview/setting_lines.h"

#include <algorithm>

namespace {

// A plan that cannot run (an OEM text it refuses) is refused here as well.
bool refused(const std::vector<Plan>& actions, RunReport& report) {
    for (const Plan& action : actions)
        if (action.refusal) {
            report.add(action.action + "：" + *action.refusal);
            return true;
        }
    return false;
}

// The settings of each action; what a later action sets again is left to
// it, as the machine keeps what the last one sets (/optimize with
// /services: sets some start modes twice).
std::vector<std::vector<SettingState>> statesOf(Platform& sys, const std::vector<Plan>& actions) {
    std::vector<std::vector<SettingState>> all;
    for (const Plan& action : actions)
        all.push_back(settingStates(sys, action, action.expectedFiles));
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t later = i + 1; later < all.size(); ++later)
            for (const SettingState& again : all[later]) {
                auto& earlier = all[i];
                earlier.erase(
                    std::remove_if(earlier.begin(), earlier.end(),
                                   [&](const SettingState& s) { return s.what == again.what; }),
                    earlier.end());
            }
    return all;
}

} // namespace

ExitCode previewActions(Platform& sys, const std::vector<Plan>& actions, RunReport& report) {
    if (refused(actions, report))
        return ExitCode::BadSwitches;
    const std::vector<std::vector<SettingState>> all = statesOf(sys, actions);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const Plan& action = actions[i];
        report.add(action.action + "（预览）：");
        for (const SettingState& s : all[i])
            report.add("  " + whatIfLine(s));
        for (const std::string& line : junkCountLines(sys, action))
            report.add("  " + line);
    }
    report.add("预览完毕，未作任何更改。 / Preview only: nothing was changed.");
    return ExitCode::Done;
}

ExitCode checkActions(Platform& sys, const std::vector<Plan>& actions, RunReport& report) {
    if (refused(actions, report))
        return ExitCode::BadSwitches;
    std::uint32_t differences = 0;
    const std::vector<std::vector<SettingState>> all = statesOf(sys, actions);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const Plan& action = actions[i];
        const std::vector<SettingState>& states = all[i];
        std::vector<std::string> lines;
        std::uint32_t notInstalled = 0;
        for (const SettingState& s : states) {
            if (std::optional<std::string> line = checkLine(s))
                lines.push_back(*line);
            if (s.state == SettingState::State::NotInstalled)
                ++notInstalled;
        }
        std::string head = action.action + "：";
        if (states.empty())
            head += "没有可检查的设置";
        else if (lines.empty())
            head += "全部符合（" + decimalText(static_cast<std::uint32_t>(states.size())) + " 项";
        else
            head += decimalText(static_cast<std::uint32_t>(lines.size())) + " 项不符（共 " +
                    decimalText(static_cast<std::uint32_t>(states.size())) + " 项";
        if (!states.empty())
            head += notInstalled ? "，其中 " + decimalText(notInstalled) + " 个服务本机未安装）"
                                 : std::string("）");
        report.add(head);
        for (const std::string& line : lines)
            report.add("  " + line);
        differences += static_cast<std::uint32_t>(lines.size());
    }
    report.add(differences ? "检查完毕：有 " + decimalText(differences) +
                                 " 项与要求不符，未作任何更改。 / Check: " +
                                 decimalText(differences) + " not in place; nothing was changed."
                           : std::string("检查完毕：全部符合，未作任何更改。 / Check: everything "
                                         "is in place; nothing was changed."));
    return differences ? ExitCode::NotInPlace : ExitCode::Done;
}
