// The command line's conversation with whoever started it: the console or
// redirected output the program was started with, and, for a run started
// without either (from a shortcut, say), a message box.
#pragma once

#include <string>

class Console {
public:
    virtual ~Console() = default;
    // Writes text to the console the program was started from, or to its
    // redirected standard output; false when it has neither.
    virtual bool writeOutput(const std::string& text) = 0;
    // Modal message box: the text, the title "提示", the OK button alone, no icon.
    virtual void notify(const std::string& text) = 0;
};
