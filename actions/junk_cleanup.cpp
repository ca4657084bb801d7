#include "actions/junk_cleanup.h"

#include "cleanup/junk_script.h"

Plan junkCleanupPlan(const std::string& windowsDir) {
    Plan plan;
    plan.action = "系统垃圾清理";
    plan.scripts.push_back({kJunkScriptName, junkScriptLines(windowsDir), ShowState::Visible});
    plan.ifStillRunning = IfStillRunning::BringToFront;
    return plan;
}

Plan unattendedJunkCleanupPlan(const std::string& windowsDir, ShowState show) {
    Plan plan;
    plan.action = "系统垃圾清理";
    plan.scripts.push_back({kJunkScriptName, unattendedJunkScriptLines(windowsDir), show});
    plan.ifStillRunning = IfStillRunning::Refuse;
    return plan;
}
