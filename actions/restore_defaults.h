// Restoring the default start modes ("下一步" with its second option) as a
// plan: "huifu.bat" sets every service of the tables to the start mode
// Windows XP gives it; "系统服务已经恢复为默认".
#pragma once

#include "script/plan.h"

Plan restoreDefaultsPlan();
