#include "app/run_from_window.h"

#include "actions/action_runner.h"

RunOutcome runFromWindow(Platform& machine, UserDialogs& user, const Plan& plan) {
    ActionResult result = runPlan(machine, plan);
    if (result.reason == RefusalReason::NeedsConfirmation) {
        if (!user.ask(result.message))
            return RunOutcome::Refused;
        RunOptions confirmed;
        confirmed.confirmed = true;
        result = runPlan(machine, plan, confirmed);
    }
    if (result.reason == RefusalReason::StillRunning &&
        plan.ifStillRunning == IfStillRunning::BringToFront) {
        machine.bringScriptToFront(result.detail);
        return result.outcome;
    }
    if (!result.message.empty())
        user.notify(result.message);
    return result.outcome;
}
