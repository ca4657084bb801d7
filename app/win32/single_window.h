// One main window per session: starting the program (without switches) while
// its window is open brings that window to the front instead of opening a
// second one, whose changes could only be refused.
#pragma once

// True when a window of the class was open in this session and has been
// brought to the front: the caller then opens none. Called once, before the
// caller's own window is made; it marks this process as the one with the window.
bool bringOpenWindowToFront(const wchar_t* windowClass);
