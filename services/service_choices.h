// The 17 choices of the per-service optimisation: which services each one
// governs, the start mode each service gets when the choice is on or off,
// and how the choice is shown to the user.
#pragma once

#include "platform/machine_facts.h"
#include "services/service_tables.h"

#include <array>

constexpr int kServiceChoiceCount = 17;

// One value per choice, in table order; a choice is on at 1 and off otherwise.
using ServiceChoices = std::array<int, kServiceChoiceCount>;

// A start mode with the blanks that the script has always written after it.
struct ModeAndBlanks {
    StartMode mode;
    int blanksAtEnd;
};

// One line of "xiangxi.bat".
struct ServiceLine {
    const char* service;
    ModeAndBlanks whenOn;
    ModeAndBlanks whenOff;
};

struct ServiceChoice {
    const char* name;        // Chinese name, UTF-8
    const char* description; // what turning it off costs, one line, UTF-8
    ServiceLine lines[2];    // the second has no service when the choice governs one
    int lineCount() const { return lines[1].service ? 2 : 1; }
};

extern const ServiceChoice kServiceChoices[kServiceChoiceCount];

// Choices 15 and 16 (indices 14 and 15) govern the same service with the same
// lines; the later one decides the mode the service keeps.
constexpr int kSameServiceFirst = 14;
constexpr int kSameServiceSecond = 15;

// The choices as the machine stands: a choice starts on when one of its
// services starts automatically, and also when none of its services' start
// modes can be read (so that nothing is turned off on a guess).
ServiceChoices currentServiceChoices(MachineFacts& machine);
