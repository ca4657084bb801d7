// The words for a setting against the machine, the same wherever they are
// shown: the preview of the command line, its check and read-back, and the
// undo dialog's account of a change.
#pragma once

#include "preview/setting_states.h"

#include <optional>
#include <string>

// "服务 Themes：自动 → 已禁用", "服务 Spooler：自动（不变）", "服务 ClipSrv：未安装".
std::string whatIfLine(const SettingState& state);

// "服务 Themes：自动，应为 已禁用" for a setting not in place; nullopt for one
// in place or a service not installed.
std::optional<std::string> checkLine(const SettingState& state);
