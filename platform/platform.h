// The platform seam: everything that touches the machine, by topic (files,
// folders, registry, scripts, machine facts, locks), each an interface of its
// own so that a module, a fake or a decorator takes only the ones it needs.
// Platform is the whole machine. The Win32 implementation is the product; the
// unit tests use a recording double.
//
// Texts and paths are UTF-8. File contents are bytes: code page 936 is applied
// where the bytes are made (platform/cp936.h), never through the system's
// current ANSI code page. Failures are Win32 error codes (0: success).
#pragma once

#include "platform/error_codes.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/locks.h"
#include "platform/machine_facts.h"
#include "platform/registry.h"
#include "platform/scripts.h"

#include <string>

class Platform : public Files,
                 public Folders,
                 public Registry,
                 public Scripts,
                 public MachineFacts,
                 public Locks {
public:
    ~Platform() override = default;

    // --- The user (moving to the front ends) ------------------------------
    // Modal message box: the text, the title "提示", the OK button alone, no icon.
    virtual void notify(const std::string& text) = 0;
    // Modal question titled "提示" with Yes and No; true for Yes.
    virtual bool ask(const std::string& text) = 0;
    // Opens an address in the default browser.
    virtual bool openUrl(const std::string& url) = 0;
    // Writes text to the console the program was started from, or to its
    // redirected standard output; false when it has neither.
    virtual bool writeOutput(const std::string& text) = 0;
};
