// The service tables and the tweaks are written for Windows XP (5.1) and
// for Server 2003 and XP x64 (5.2). On any other system the service
// optimisations first ask whether to go on (the plans say so; the window asks,
// the command line wants /force).
#pragma once

#include "platform/platform.h"

#include <string>

// True for the systems the service settings were written for.
bool servicesDesignedFor(const WindowsVersion& version);

// A desktop system's name as users know it ("10", "7"), or the version
// number ("6.1" for a server, "6.4") when it has none here.
std::string windowsName(const WindowsVersion& version);

// The question asked on other systems.
std::string otherSystemQuestion(const WindowsVersion& version);
