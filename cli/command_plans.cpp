#include "cli/command_plans.h"

#include "actions/junk_cleanup.h"
#include "actions/logo_replacement.h"
#include "actions/per_service.h"
#include "actions/restore_defaults.h"
#include "actions/routine_optimisation.h"
#include "oem/oem_info_file.h"
#include "oem/oem_paths.h"
#include "oem/oem_values_plan.h"

#include <algorithm>

namespace {

std::string valueOf(const std::optional<std::string>& given,
                    const std::optional<std::string>& current) {
    return given ? *given : current.value_or(std::string());
}

// The OEM values plan with the values not given kept as they stand: only
// what was given is written, and the OEM file only when the manufacturer or
// the model was given.
Plan oemPlan(Platform& sys, const CommandLine& line) {
    const std::string windowsDir = sys.windowsDirectory();
    std::optional<std::string> manufacturer, model;
    if (const std::optional<std::string> bytes = sys.readFile(oemInfoPath(windowsDir), nullptr)) {
        const OemInfoLines lines = parseOemInfo(*bytes);
        manufacturer = findOemValue(lines, kManufacturerKey);
        model = findOemValue(lines, kModelKey);
    }
    const OemValues values{
        valueOf(line.owner, sys.readRegistryString(kOwnerValue, nullptr)),
        valueOf(line.organization, sys.readRegistryString(kOrganizationValue, nullptr)),
        valueOf(line.manufacturer, manufacturer), valueOf(line.model, model)};
    Plan plan = planOemValues(sys, values);
    if (plan.refusal)
        return plan;

    if (!line.manufacturer && !line.model) {
        plan.fileWrites.clear();
        plan.files.clear();
        plan.knownFailures.clear(); // they are about the file alone
    }
    const auto notGiven = [&](const std::string& fullName) {
        return (fullName == kOwnerValue && !line.owner) ||
               (fullName == kOrganizationValue && !line.organization);
    };
    auto& writes = plan.registryWrites;
    writes.erase(
        std::remove_if(writes.begin(), writes.end(),
                       [&](const PlannedRegistryWrite& w) { return notGiven(w.fullName); }),
        writes.end());
    auto& changes = plan.registry;
    changes.erase(
        std::remove_if(changes.begin(), changes.end(),
                       [&](const RegistryChange& c) { return notGiven(c.key + "\\" + c.value); }),
        changes.end());
    return plan;
}

std::optional<std::string> logoAction(Platform& sys, const std::string& path,
                                      CommandAction* action) {
    const std::string missing = "/logo 指定的“" + path + "”不是一个存在的文件 / /logo: \"" + path +
                                "\" is not an existing file";
    if (!sys.fileExists(path))
        return missing;
    ErrorCode error = 0;
    const std::optional<std::string> bytes = sys.readFile(path, &error);
    if (!bytes)
        return missing;
    action->plan = planLogoReplacement(sys, path);
    if (action->plan.refusal)
        return *action->plan.refusal;
    return std::nullopt;
}

} // namespace

CommandPlans planCommandLine(Platform& sys, const CommandLine& line) {
    CommandPlans result;
    std::vector<CommandAction>& actions = result.actions;
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
        actions.push_back({oemPlan(sys, line)});
    if (line.logo) {
        CommandAction logo;
        if ((result.error = logoAction(sys, *line.logo, &logo)))
            return result;
        actions.push_back(logo);
    }
    // Nobody is there to be told halfway that rights are missing: every
    // action from the command line asks for them before anything runs.
    for (CommandAction& action : actions)
        action.plan.needsAdministrator = true;
    return result;
}
