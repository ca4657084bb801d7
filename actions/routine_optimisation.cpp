#include "actions/routine_optimisation.h"

#include "services/service_scripts.h"
#include "tweaks/shell_tweaks.h"

Plan serviceActionPlan(const char* action, const char* successText) {
    Plan plan;
    plan.action = action;
    plan.needsAdministrator = true;
    plan.asksOnOtherWindows = true;
    // A second click while a script of the first still runs would rewrite
    // it under its command interpreter; such a click writes nothing.
    plan.ifStillRunning = IfStillRunning::Refuse;
    plan.successText = successText;
    return plan;
}

Plan morenyouhua(const TweakChoices& tweaks) {
    Plan plan = serviceActionPlan("系统常规优化", "系统已经优化成功");
    if (tweaks.shortcuts)
        append(plan, kjfshi());
    if (tweaks.notepad)
        append(plan, jishiben());
    if (tweaks.sharedDocs)
        append(plan, guxiang());
    append(plan, fuwuyouhua());
    return plan;
}
