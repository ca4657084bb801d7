// The platform seam: everything that touches the machine, by topic (files,
// folders, registry, scripts, machine facts, locks), each an interface of its
// own so that a module, a fake or a decorator takes only the ones it needs.
// Platform is the whole machine; it tells and asks no one (the front ends own
// the conversation with the user). The Win32 implementation is the product;
// the unit tests use a recording double.
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

class Platform : public Files,
                 public Folders,
                 public Registry,
                 public Scripts,
                 public MachineFacts,
                 public Locks {
public:
    ~Platform() override = default;
};
