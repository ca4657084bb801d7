#include "cleanup/junk_plan.h"

#include "cleanup/junk_script.h"

Plan junkCleanupPlan() {
    Plan plan;
    plan.action = "系统垃圾清理";
    plan.scripts.push_back({kJunkScriptName, junkScriptLines(), ShowState::Visible});
    plan.ifStillRunning = IfStillRunning::BringToFront;
    return plan;
}

Plan unattendedJunkCleanupPlan(ShowState show) {
    Plan plan;
    plan.action = "系统垃圾清理";
    plan.scripts.push_back({kJunkScriptName, unattendedJunkScriptLines(), show});
    plan.ifStillRunning = IfStillRunning::Refuse;
    return plan;
}
