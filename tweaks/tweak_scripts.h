// The three Explorer tweaks as batch scripts: each a bare file name and its
// lines, exactly as written to the current directory. The two scripts with a
// registry part echo a .reg file of their own name, import it with
// "start /wait regedit /s", delete it and then themselves.
#pragma once

#include "script/plan.h"
#include "script/script_file.h"

#include <vector>

struct TweakScript {
    const char* name;
    ScriptLines lines;
    std::vector<RegistryChange> changes; // what its registry part changes
};

// Shortcuts: no arrow overlay, no "快捷方式" suffix on new shortcuts.
extern const TweakScript kShortcutScript; // "kuaijie.bat", 19 lines
// An "open with Notepad" verb for every file type.
extern const TweakScript kNotepadScript; // "jsb.bat", 8 lines
// Shared Documents removed from My Computer.
extern const TweakScript kSharedDocsScript; // "gx.bat", 2 lines
