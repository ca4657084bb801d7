// The service scripts as pieces of a plan, each with the start modes it sets:
// the recommended modes ("fwyh.bat"), the default modes ("huifu.bat") and
// the per-service choices ("xiangxi.bat"). All are launched hidden.
#pragma once

#include "script/plan.h"
#include "services/service_choices.h"

// fuwuyouhua: the recommended start modes.
Plan fuwuyouhua();
// huifufuwu: the default start modes of Windows XP.
Plan huifufuwu();
// xiangxiyouhua: each service of the 17 choices starts automatically when its
// choice is on; when it is off it is disabled (or, for some, left to start
// on demand).
Plan xiangxiyouhua(const ServiceChoices& choices);
