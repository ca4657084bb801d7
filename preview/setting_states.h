// The plan against the machine: each thing a plan sets (a service's start
// mode, a registry value or key, a file), what the machine holds now and
// what the plan would make of it. Reading them changes nothing; a preview
// shows them all, a check the ones not in place, and the command line reads
// them back once the scripts have ended.
#pragma once

#include "platform/platform.h"
#include "script/plan.h"

#include <string>
#include <vector>

struct SettingState {
    enum class State {
        InPlace,      // the machine already holds what the plan sets
        Differs,      // the plan would change it
        NotInstalled, // a service this machine does not have: nothing to set
        Unreadable,   // the machine could not be asked (`now` says why)
    };
    std::string what;   // "服务 Themes", "注册表值 HKEY_CLASSES_ROOT\lnkfile\EditFlags"
    std::string now;    // "自动", "dword:00000001", "不存在", "1024 字节"
    std::string wanted; // what the plan sets, in the same words
    State state = State::InPlace;
    bool service = false;
};

// What `plan` sets, in the plan's order; a service or value set twice once,
// with the last of its targets (the one the machine keeps). `expected`: files
// the plan's scripts are to make, with their bytes (the copied logo).
std::vector<SettingState> settingStates(Platform& machine, const Plan& plan,
                                        const std::vector<PlannedFileWrite>& expected = {});

// The same for the plan's services alone.
std::vector<SettingState> serviceStates(MachineFacts& machine, const Plan& plan);

// A start mode as the service manager of Chinese Windows names it ("自动").
std::string startModeWords(StartMode mode);

// A registry value as a .reg line gives its data ("\"text\"", "dword:00000001",
// "hex:00,00,00,00", "hex(2):..."): the words a preview shows a value in.
std::string regDataText(const RegistryValue& value);
