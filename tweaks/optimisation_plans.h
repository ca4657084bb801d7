// The service optimisations as plans: the routine optimisation ("下一步" with
// its first option), restoring the default start modes (its second option)
// and the per-service optimisation of the system menu's dialog. Each needs
// administrator rights, and none writes a script while one of its scripts
// still runs from before.
#pragma once

#include "script/plan.h"
#include "services/service_choices.h"

// The three Explorer tweak boxes of the routine-optimisation panel.
struct TweakChoices {
    bool shortcuts = true;  // kjfs
    bool notepad = true;    // jsb
    bool sharedDocs = true; // gxiang
};

// morenyouhua: the ticked tweaks in a fixed order, then always the
// recommended start modes; "系统已经优化成功".
Plan morenyouhua(const TweakChoices& tweaks);

// The default start modes; "系统服务已经恢复为默认".
Plan restoreDefaultsPlan();

// "xiangxi.bat" from the 17 choices, then the Notepad verb and the Shared
// Documents removal when their boxes are ticked; "系统已经优化完毕".
Plan perServicePlan(const ServiceChoices& choices, bool notepad, bool sharedDocs);
