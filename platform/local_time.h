// A moment of the local clock, as the log and the undo snapshots name it.
#pragma once

#include <string>

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "2008-04-21 08:30:05".
std::string timeText(const LocalTime& time);
