// A small runner for the checks of the Windows-only code: they are built for
// win-x64 and run under Wine, where GoogleTest is not available.
#pragma once

#include <cstdio>
#include <vector>

struct WinCheck {
    const char* name;
    void (*run)();
};

std::vector<WinCheck>& winChecks();
void winCheckFailed(const char* file, int line, const char* condition);

#define WIN_CHECK(name)                                                                            \
    void name();                                                                                   \
    [[maybe_unused]] const bool name##Registered = (winChecks().push_back({#name, name}), true);   \
    void name()

#define EXPECT(condition) ((condition) ? (void)0 : winCheckFailed(__FILE__, __LINE__, #condition))
