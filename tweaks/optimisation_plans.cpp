#include "tweaks/optimisation_plans.h"

#include "services/service_scripts.h"
#include "tweaks/shell_tweaks.h"

namespace {

Plan optimisationPlan(const char* action, const char* successText) {
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

} // namespace

Plan morenyouhua(const TweakChoices& tweaks) {
    Plan plan = optimisationPlan("系统常规优化", "系统已经优化成功");
    if (tweaks.shortcuts)
        append(plan, kjfshi());
    if (tweaks.notepad)
        append(plan, jishiben());
    if (tweaks.sharedDocs)
        append(plan, guxiang());
    append(plan, fuwuyouhua());
    return plan;
}

Plan restoreDefaultsPlan() {
    Plan plan = optimisationPlan("恢复默认服务", "系统服务已经恢复为默认");
    append(plan, huifufuwu());
    return plan;
}

Plan perServicePlan(const ServiceChoices& choices, bool notepad, bool sharedDocs) {
    Plan plan = optimisationPlan("详细服务优化", "系统已经优化完毕");
    append(plan, xiangxiyouhua(choices));
    if (notepad)
        append(plan, jishiben());
    if (sharedDocs)
        append(plan, guxiang());
    return plan;
}
