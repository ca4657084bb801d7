#include "preview/setting_states.h"

#include "platform/number_text.h"
#include "platform/unicode_text.h"
#include "script/error_text.h"
#include "script/plan_readback.h"
#include "script/reg_text.h"

namespace {

using State = SettingState::State;

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

const char kAbsent[] = "不存在";
const char kPresent[] = "存在";
const char kDeleted[] = "删除";
const char kReplaced[] = "替换";

bool absent(ErrorCode e) {
    return e == kErrorFileNotFound || e == kErrorPathNotFound;
}

std::string hexDigits(std::uint32_t value, int digits) {
    static const char kHex[] = "0123456789abcdef";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kHex[value & 0xF];
    return text;
}

std::string unreadable(ErrorCode e) {
    return "无法读取（" + describeError(e) + "）";
}

SettingState compared(std::string what, std::string now, std::string wanted) {
    const State state = now == wanted ? State::InPlace : State::Differs;
    return {std::move(what), std::move(now), std::move(wanted), state, false};
}

SettingState failed(std::string what, ErrorCode e, std::string wanted) {
    return {std::move(what), unreadable(e), std::move(wanted), State::Unreadable, false};
}

SettingState serviceState(MachineFacts& machine, const ServiceChange& change) {
    const std::string what = "服务 " + change.service;
    const std::string wanted = startModeWords(change.mode);
    StartMode mode = StartMode::Demand;
    const ErrorCode e = machine.readServiceStartMode(change.service, &mode);
    SettingState s;
    if (e == kErrorServiceDoesNotExist)
        s = {what, "未安装", wanted, State::NotInstalled, true};
    else if (e != 0)
        s = failed(what, e, wanted);
    else
        s = compared(what, startModeWords(mode), wanted);
    s.service = true;
    return s;
}

std::string valueWhat(const std::string& key, const std::string& name) {
    return "注册表值 " + key + "\\" + (name.empty() ? "(默认)" : name);
}

// What a script sets a value to, in the words of a .reg line.
std::string dataText(const RegistryData& data) {
    return data.type == kRegSz ? regQuoted(data.data) : regDataText({"", data.type, data.data});
}

// A value the plan sets or deletes.
SettingState valueState(Platform& sys, const RegistryChange& change) {
    const bool deletes = change.kind == RegistryChange::Kind::DeleteValue;
    const std::string what = valueWhat(change.key, change.value);
    const std::string wanted = deletes ? kDeleted : dataText(*change.setTo);
    RegistryValue value;
    const ErrorCode e = sys.readRegistryValue(change.key, change.value, &value);
    if (e != 0 && !absent(e))
        return failed(what, e, wanted);
    if (e != 0)
        return compared(what, kAbsent, deletes ? kAbsent : wanted);
    SettingState s = compared(what, regDataText(value), wanted);
    // The same rule as the read-back after a run: type and data as stored.
    s.state = !deletes && registryHolds(value, *change.setTo) ? State::InPlace : State::Differs;
    return s;
}

SettingState keyState(Platform& sys, const RegistryChange& change) {
    const bool deletes = change.kind == RegistryChange::Kind::DeleteKey;
    const std::string what = "注册表项 " + change.key;
    const ErrorCode e = sys.checkRegistryKey(change.key);
    if (e != 0 && !absent(e))
        return failed(what, e, deletes ? kDeleted : kPresent);
    const std::string now = e == 0 ? kPresent : kAbsent;
    return compared(what, now, deletes ? (e == 0 ? kDeleted : kAbsent) : kPresent);
}

// A string the program writes itself (an OEM value).
SettingState stringState(Platform& sys, const PlannedRegistryWrite& write) {
    const std::string::size_type last = write.fullName.rfind('\\');
    const std::string what =
        valueWhat(write.fullName.substr(0, last), write.fullName.substr(last + 1));
    ErrorCode e = 0;
    const std::optional<std::string> now = sys.readRegistryString(write.fullName, &e);
    if (!now && !absent(e))
        return failed(what, e, regQuoted(write.data));
    return compared(what, now ? regQuoted(*now) : kAbsent, regQuoted(write.data));
}

std::string sizeText(const std::string& bytes) {
    return decimalText(static_cast<std::uint32_t>(bytes.size())) + " 字节";
}

SettingState fileState(Platform& sys, const PlannedFileWrite& file) {
    const std::string what = "文件 " + file.path;
    ErrorCode e = 0;
    const std::optional<std::string> now = sys.readFile(file.path, &e);
    if (!now && !absent(e))
        return failed(what, e, sizeText(file.bytes));
    if (now && *now == file.bytes)
        return compared(what, sizeText(*now), sizeText(*now));
    // Same size, other bytes: still a change.
    SettingState s = compared(what, now ? sizeText(*now) : kAbsent, sizeText(file.bytes));
    s.state = State::Differs;
    if (now && now->size() == file.bytes.size())
        s.wanted += "（内容不同）";
    return s;
}

// The last change of each service, at the place of its first.
std::vector<ServiceChange> lastOfEach(const std::vector<ServiceChange>& changes) {
    std::vector<ServiceChange> kept;
    for (const ServiceChange& c : changes) {
        bool seen = false;
        for (ServiceChange& k : kept)
            if (k.service == c.service) {
                k.mode = c.mode;
                seen = true;
            }
        if (!seen)
            kept.push_back(c);
    }
    return kept;
}

} // namespace

std::string startModeWords(StartMode mode) {
    switch (mode) {
    case StartMode::Boot:
        return "引导";
    case StartMode::System:
        return "系统";
    case StartMode::Auto:
        return "自动";
    case StartMode::Demand:
        return "手动";
    case StartMode::Disabled:
        return "已禁用";
    case StartMode::DelayedAuto:
        return "自动(延迟启动)";
    }
    return std::string();
}

std::string regDataText(const RegistryValue& value) {
    const std::string& data = value.data;
    if (value.type == kRegSz) {
        std::string text = utf16ToUtf8(data, false);
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        return regQuoted(text);
    }
    if (value.type == kRegDword && data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
        return "dword:" + hexDigits(number, 8);
    }
    std::string text =
        value.type == kRegBinary ? std::string("hex:") : "hex(" + hexDigits(value.type, 1) + "):";
    for (std::size_t i = 0; i < data.size(); ++i)
        text += (i ? "," : "") + hexDigits(static_cast<unsigned char>(data[i]), 2);
    return text;
}

std::vector<SettingState> serviceStates(MachineFacts& machine, const Plan& plan) {
    std::vector<SettingState> states;
    for (const ServiceChange& change : lastOfEach(plan.services))
        states.push_back(serviceState(machine, change));
    return states;
}

std::vector<SettingState> settingStates(Platform& sys, const Plan& plan,
                                        const std::vector<PlannedFileWrite>& expected) {
    std::vector<SettingState> states = serviceStates(sys, plan);
    using Kind = RegistryChange::Kind;
    for (const RegistryChange& change : plan.registry) {
        if (change.kind == Kind::CreateKey || change.kind == Kind::DeleteKey)
            states.push_back(keyState(sys, change));
        else if (change.kind == Kind::DeleteValue || change.setTo)
            states.push_back(valueState(sys, change));
    }
    // The values the program writes itself carry their data in the write.
    for (const PlannedRegistryWrite& write : plan.registryWrites)
        states.push_back(stringState(sys, write));
    for (const PlannedFileWrite& file : plan.fileWrites)
        states.push_back(fileState(sys, file));
    for (const PlannedFileWrite& file : expected)
        states.push_back(fileState(sys, file));
    // A file a script replaces with bytes the plan does not hold.
    for (const std::string& path : plan.files) {
        bool known = false;
        for (const std::vector<PlannedFileWrite>* list : {&plan.fileWrites, &expected})
            for (const PlannedFileWrite& file : *list)
                known = known || file.path == path;
        if (known)
            continue;
        ErrorCode e = 0;
        const std::optional<std::string> now = sys.readFile(path, &e);
        if (!now && !absent(e))
            states.push_back(failed("文件 " + path, e, kReplaced));
        else
            states.push_back(
                {"文件 " + path, now ? sizeText(*now) : kAbsent, kReplaced, State::Differs, false});
    }
    return states;
}
