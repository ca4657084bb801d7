// The routine optimisation ("下一步" with its first option) as a plan: the
// ticked Explorer tweaks, then the recommended start modes. Like every
// service action it needs administrator rights, asks first on a Windows other
// than XP or 2003, and writes no script while one of its scripts still runs
// from before.
#pragma once

#include "script/plan.h"

// The three Explorer tweak boxes of the routine-optimisation panel.
struct TweakChoices {
    bool shortcuts = true;  // kjfs
    bool notepad = true;    // jsb
    bool sharedDocs = true; // gxiang
};

// morenyouhua: the ticked tweaks in a fixed order, then always the
// recommended start modes; "系统已经优化成功".
Plan morenyouhua(const TweakChoices& tweaks);

// What every service action starts from: its name and success text, and its
// guards.
Plan serviceActionPlan(const char* action, const char* successText);
