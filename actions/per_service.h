// The per-service optimisation of the system menu's dialog as a plan:
// "xiangxi.bat" from the 17 choices, then the Notepad verb and the Shared
// Documents removal when their boxes are ticked; "系统已经优化完毕".
#pragma once

#include "script/plan.h"
#include "services/service_choices.h"

Plan perServicePlan(const ServiceChoices& choices, bool notepad, bool sharedDocs);
