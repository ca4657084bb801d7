// /config:<file>: one file that says what to do on a machine, for a whole
// room of them. An ini file in the Windows style, in code page 936, UTF-8
// with a byte-order mark, or UTF-16 (with its mark, as Notepad saves
// "Unicode"); ";" starts a comment line:
//
//   [Actions]   optimize, restore, clean = yes | no; tweaks = as /tweaks:
//   [Services]  each of the per-service dialog's choices by its name there
//               ("桌面主题 = 自动"): 自动 (ticked) or 关闭 (cleared); all of them
//   [OEM]       owner, organization, manufacturer, model, logo
//
// The file becomes the switches it stands for and then follows their rules;
// an error names the file and the line. The options (/quiet, /force,
// /export:, /whatif, /check, /log:) may go with it, action switches not.
#pragma once

#include "platform/files.h"

#include <optional>
#include <string>
#include <vector>

struct ConfigSwitches {
    std::string file;              // as given
    std::vector<std::string> args; // the command line with /config: replaced by the file's switches
    std::optional<std::string> error; // in Chinese and English, naming the file and line
};

// nullopt when the command line has no /config:.
std::optional<ConfigSwitches> configSwitches(Files& files, const std::vector<std::string>& args);

// The file's text as UTF-8, whatever of the three encodings it is in.
std::string configText(const std::string& bytes);

// The switches that a file's text stands for; the error names `file` and the line.
ConfigSwitches switchesOfConfig(const std::string& text, const std::string& file);
