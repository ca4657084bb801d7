#include "cleanup/junk_plan.h"

#include "cleanup/junk_script.h"

Plan junkCleanupPlan(const std::string& windowsDir) {
    Plan plan;
    plan.action = "系统垃圾清理";
    plan.scripts.push_back({kJunkScriptName, junkScriptLines(windowsDir), ShowState::Visible});
    plan.ifStillRunning = IfStillRunning::BringToFront;
    return plan;
}
