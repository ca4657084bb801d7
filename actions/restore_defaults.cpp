#include "actions/restore_defaults.h"

#include "actions/routine_optimisation.h"
#include "services/service_scripts.h"

Plan restoreDefaultsPlan() {
    Plan plan = serviceActionPlan("恢复默认服务", "系统服务已经恢复为默认");
    append(plan, huifufuwu());
    return plan;
}
