#include "cli/command_plans.h"

#include "actions/junk_cleanup.h"
#include "actions/logo_replacement.h"
#include "actions/oem_values.h"
#include "actions/per_service.h"
#include "actions/restore_defaults.h"
#include "actions/routine_optimisation.h"
#include "oem/oem_paths.h"

namespace {

std::optional<std::string> logoAction(Platform& sys, const std::string& path, Plan* action) {
    const std::string missing = "/logo 指定的“" + path + "”不是一个存在的文件 / /logo: \"" + path +
                                "\" is not an existing file";
    if (!sys.fileExists(path))
        return missing;
    ErrorCode error = 0;
    const std::optional<std::string> bytes = sys.readFile(path, &error);
    if (!bytes)
        return missing;
    *action = planLogoReplacement(sys, path);
    if (action->refusal)
        return *action->refusal;
    return std::nullopt;
}

} // namespace

CommandPlans planCommandLine(Platform& sys, const CommandLine& line) {
    CommandPlans result;
    std::vector<Plan>& actions = result.actions;
    const TweakChoices tweaks = line.tweaks.value_or(TweakChoices{});
    if (line.optimize)
        actions.push_back({morenyouhua(tweaks)});
    if (line.restore)
        actions.push_back({restoreDefaultsPlan()});
    if (line.services) {
        // With /optimize the tweaks ran already; the per-service plan adds
        // the Notepad verb and the Shared Documents removal only without it.
        const bool own = !line.optimize;
        actions.push_back(
            {perServicePlan(*line.services, own && tweaks.notepad, own && tweaks.sharedDocs)});
    }
    if (line.clean)
        actions.push_back({unattendedJunkCleanupPlan(
            sys.windowsDirectory(), line.quiet ? ShowState::Hidden : ShowState::Visible)});
    if (line.changesOemValues())
        actions.push_back(
            {planOemValues(sys, {line.owner, line.organization, line.manufacturer, line.model})});
    if (line.logo) {
        Plan logo;
        if ((result.error = logoAction(sys, *line.logo, &logo)))
            return result;
        actions.push_back(logo);
    }
    // Nobody is there to be told halfway that rights are missing: every
    // action from the command line asks for them before anything runs.
    for (Plan& action : actions)
        action.needsAdministrator = true;
    return result;
}
