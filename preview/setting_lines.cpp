#include "preview/setting_lines.h"

std::string whatIfLine(const SettingState& s) {
    switch (s.state) {
    case SettingState::State::InPlace:
        return s.what + "：" + s.now + "（不变）";
    case SettingState::State::Differs:
        return s.what + "：" + s.now + " → " + s.wanted;
    case SettingState::State::NotInstalled:
        return s.what + "：未安装";
    case SettingState::State::Unreadable:
        break;
    }
    return s.what + "：" + s.now;
}

std::optional<std::string> checkLine(const SettingState& s) {
    switch (s.state) {
    case SettingState::State::Differs:
        return s.what + "：" + s.now + "，应为 " + s.wanted;
    case SettingState::State::Unreadable:
        return s.what + "：" + s.now;
    case SettingState::State::InPlace:
    case SettingState::State::NotInstalled:
        break;
    }
    return std::nullopt;
}
