// The command line's console over the Win32 API. A GUI program gets no
// console handles of its own: output goes to the redirected standard output
// (code page 936) or to the console of the process that started it (UTF-16).
#pragma once

#include "cli/console.h"

#include <windows.h>

class Win32Console : public Console {
public:
    bool writeOutput(const std::string& text) override;
    void notify(const std::string& text) override;

private:
    bool checked_ = false;
    HANDLE handle_ = nullptr; // the standard output, or the parent's console
    bool console_ = false;    // a console (UTF-16) rather than a file or pipe (GBK)
};
