// The three Explorer tweaks as pieces of a plan: each script, launched
// hidden, with the registry changes it makes.
#pragma once

#include "script/plan.h"

// kjfshi: shortcuts without the arrow and the "快捷方式" suffix.
Plan kjfshi();
// jishiben: an "open with Notepad" verb for every file.
Plan jishiben();
// guxiang: no Shared Documents in My Computer.
Plan guxiang();
