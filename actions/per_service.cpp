#include "actions/per_service.h"

#include "actions/routine_optimisation.h"
#include "services/service_scripts.h"
#include "tweaks/shell_tweaks.h"

Plan perServicePlan(const ServiceChoices& choices, bool notepad, bool sharedDocs) {
    Plan plan = serviceActionPlan("详细服务优化", "系统已经优化完毕");
    append(plan, xiangxiyouhua(choices));
    if (notepad)
        append(plan, jishiben());
    if (sharedDocs)
        append(plan, guxiang());
    return plan;
}
