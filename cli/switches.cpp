#include "cli/switches.h"

#include "oem/oem_text_rule.h"
#include "platform/ascii_text.h"

#include <bitset>

namespace {

enum class Switch {
    Help,
    Quiet,
    Optimize,
    Tweaks,
    Restore,
    Services,
    Clean,
    Owner,
    Organization,
    Manufacturer,
    Model,
    Logo,
    Export,
    Undo,
    Force,
    WhatIf,
    Check,
    Log,
};

// The switches given so far, by their Switch.
using Seen = std::bitset<static_cast<size_t>(Switch::Log) + 1>;

enum class Value { None, Required, Optional };

struct SwitchName {
    const char* name; // lower case, without the leading "/" or "-"
    Switch id;
    Value value;
};

// Every name a switch answers to; the first name of a switch is the one the
// messages use.
const SwitchName kSwitchNames[] = {
    {"?", Switch::Help, Value::None},
    {"help", Switch::Help, Value::None},
    {"h", Switch::Help, Value::None},
    {"quiet", Switch::Quiet, Value::None},
    {"optimize", Switch::Optimize, Value::None},
    {"optimise", Switch::Optimize, Value::None},
    {"tweaks", Switch::Tweaks, Value::Required},
    {"restore", Switch::Restore, Value::None},
    {"services", Switch::Services, Value::Required},
    {"clean", Switch::Clean, Value::None},
    {"owner", Switch::Owner, Value::Required},
    {"organization", Switch::Organization, Value::Required},
    {"organisation", Switch::Organization, Value::Required},
    {"manufacturer", Switch::Manufacturer, Value::Required},
    {"model", Switch::Model, Value::Required},
    {"logo", Switch::Logo, Value::Required},
    {"export", Switch::Export, Value::Required},
    {"undo", Switch::Undo, Value::Optional},
    {"force", Switch::Force, Value::None},
    {"whatif", Switch::WhatIf, Value::None},
    {"check", Switch::Check, Value::None},
    {"log", Switch::Log, Value::Required},
};

// The Explorer tweaks by their names in /tweaks:.
struct TweakName {
    const char* name;
    bool TweakChoices::*box;
};
const TweakName kTweakNames[] = {
    {"arrow", &TweakChoices::shortcuts},
    {"notepad", &TweakChoices::notepad},
    {"shareddocs", &TweakChoices::sharedDocs},
};

// One argument as a switch: its name (lower case) and its value, the text
// after the first colon. nullopt when the argument is no switch at all.
struct Word {
    std::string name;
    std::optional<std::string> value;
};
std::optional<Word> splitSwitch(const std::string& arg) {
    if (arg.empty() || (arg[0] != '/' && arg[0] != '-'))
        return std::nullopt;
    const std::string::size_type colon = arg.find(':');
    Word word{asciiLower(arg.substr(1, colon == std::string::npos ? colon : colon - 1)),
              std::nullopt};
    if (colon != std::string::npos)
        word.value = arg.substr(colon + 1);
    return word;
}

const SwitchName* findSwitch(const std::string& name) {
    for (const SwitchName& s : kSwitchNames)
        if (name == s.name)
            return &s;
    return nullptr;
}

std::string shown(Switch id) {
    for (const SwitchName& s : kSwitchNames)
        if (s.id == id)
            return std::string("/") + s.name;
    return std::string();
}

bool anySwitchNamed(const std::vector<std::string>& args, Switch id) {
    for (const std::string& arg : args)
        if (std::optional<Word> word = splitSwitch(arg))
            if (const SwitchName* s = findSwitch(word->name))
                if (s->id == id)
                    return true;
    return false;
}

std::string both(const std::string& chinese, const std::string& english) {
    return chinese + " / " + english;
}

std::optional<std::string> parseTweaks(const std::string& value, TweakChoices* tweaks) {
    *tweaks = TweakChoices{false, false, false};
    const std::string wrong =
        both("/tweaks 只接受 arrow、notepad、shareddocs 或 none，而不是“" + value + "”",
             "/tweaks takes arrow, notepad, shareddocs or none, not \"" + value + "\"");
    if (asciiLower(trimmed(value)) == "none")
        return std::nullopt;
    std::string::size_type from = 0;
    for (;;) {
        const std::string::size_type comma = value.find(',', from);
        const std::string item = asciiLower(trimmed(value.substr(from, comma - from)));
        const TweakName* found = nullptr;
        for (const TweakName& t : kTweakNames)
            if (item == t.name)
                found = &t;
        if (!found)
            return wrong;
        tweaks->*found->box = true;
        if (comma == std::string::npos)
            return std::nullopt;
        from = comma + 1;
    }
}

std::optional<std::string> parseServices(const std::string& value, ServiceChoices* choices) {
    if (value.size() != static_cast<size_t>(kServiceChoiceCount) ||
        value.find_first_not_of("01") != std::string::npos)
        return both("/services 需要 17 位 0 或 1（顺序同“详细服务优化”对话框），而不是“" + value +
                        "”",
                    "/services needs 17 digits 0 or 1 (in the order of the per-service "
                    "dialog), not \"" +
                        value + "\"");
    for (int i = 0; i < kServiceChoiceCount; ++i)
        (*choices)[static_cast<size_t>(i)] = value[static_cast<size_t>(i)] == '1' ? 1 : 0;
    return std::nullopt;
}

// An OEM value by the rule the window follows too (oem/oem_text_rule.h).
std::optional<std::string> checkOemText(Switch id, OemField field, const std::string& text) {
    const std::optional<OemTextFaults> faults = oemTextFaults(field, text);
    if (!faults)
        return std::nullopt;
    if (faults->lineBreak || faults->controlCharacter)
        return both(shown(id) + " 的文本含有换行等控制字符",
                    "the text of " + shown(id) +
                        " holds a line break or another control character");
    if (inOemFile(field))
        return both(shown(id) + " 的文本含有无法用 GBK 编码表示的字符",
                    "the text of " + shown(id) +
                        " holds characters that code page 936 (GBK) cannot represent");
    return both(shown(id) + " 的文本不是有效的 Unicode 文本",
                "the text of " + shown(id) + " is not valid Unicode text");
}

// No file name holds a control character; one in a path is a mistake (a
// line break pasted in), and would reach the log and the scripts as it is.
std::optional<std::string> checkPath(Switch id, const std::string& path) {
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return both(shown(id) + " 的路径含有换行等控制字符",
                        "the path of " + shown(id) +
                            " holds a line break or another control character");
    // No file name holds a quote either: one here is what is left of a
    // quoted path that ended in a backslash, which swallowed the rest of the
    // command line ("C:\out\" /clean).
    if (path.find('"') != std::string::npos)
        return both(shown(id) +
                        " 的路径含有引号：带引号的路径不能以反斜杠结尾（\\\" 会吞掉后面的开关）",
                    "the path of " + shown(id) +
                        " holds a quote: a quoted path must not end in a backslash (\\\" "
                        "swallows the switches after it)");
    return std::nullopt;
}

// Takes the value of one switch into the command line.
std::optional<std::string> take(Switch id, const std::string& value, CommandLine* line) {
    switch (id) {
    case Switch::Help:
        line->help = true;
        break;
    case Switch::Quiet:
        line->quiet = true;
        break;
    case Switch::Optimize:
        line->optimize = true;
        break;
    case Switch::Restore:
        line->restore = true;
        break;
    case Switch::Clean:
        line->clean = true;
        break;
    case Switch::Tweaks:
        line->tweaks.emplace();
        return parseTweaks(value, &*line->tweaks);
    case Switch::Services:
        line->services.emplace();
        return parseServices(value, &*line->services);
    case Switch::Owner:
        line->owner = value;
        return checkOemText(id, OemField::Owner, value);
    case Switch::Organization:
        line->organization = value;
        return checkOemText(id, OemField::Organization, value);
    case Switch::Manufacturer:
        line->manufacturer = value;
        return checkOemText(id, OemField::Manufacturer, value);
    case Switch::Model:
        line->model = value;
        return checkOemText(id, OemField::Model, value);
    case Switch::Logo:
        line->logo = value;
        return checkPath(id, value);
    case Switch::Export:
        line->exportFolder = value;
        return checkPath(id, value);
    case Switch::Undo:
        line->undo = true;
        if (asciiLower(value) == "list")
            line->undoList = true;
        else if (!value.empty())
            line->undoName = value;
        // A record's name is one the program gave, never one with a control
        // character (it would reach the log and the output as it is).
        for (char c : value)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                return both("/undo 的记录名含有控制字符",
                            "the record name of /undo holds a control character");
        break;
    case Switch::Force:
        line->force = true;
        break;
    case Switch::WhatIf:
        line->whatIf = true;
        break;
    case Switch::Check:
        line->check = true;
        break;
    case Switch::Log:
        line->logFile = value;
        return checkPath(id, value);
    }
    return std::nullopt;
}

// A path or a list must not be empty; an OEM text may be (it empties the value).
bool mayBeEmpty(Switch id) {
    return id == Switch::Owner || id == Switch::Organization || id == Switch::Manufacturer ||
           id == Switch::Model;
}

std::optional<std::string> parseWord(const std::string& arg, Seen* seen, CommandLine* line) {
    const std::optional<Word> word = splitSwitch(arg);
    if (!word)
        return both("“" + arg + "”不是开关（开关以 / 或 - 开头）",
                    "\"" + arg + "\" is not a switch (switches begin with / or -)");
    const SwitchName* s = findSwitch(word->name);
    if (!s)
        return both("未知的开关 " + arg, "unknown switch " + arg);
    const std::string name = shown(s->id);
    if (seen->test(static_cast<size_t>(s->id)))
        return both("开关 " + name + " 重复", name + " is given twice");
    seen->set(static_cast<size_t>(s->id));
    if (s->value == Value::None && word->value)
        return both("开关 " + name + " 不带值", name + " takes no value");
    if ((s->value == Value::Required &&
         (!word->value || (word->value->empty() && !mayBeEmpty(s->id)))) ||
        (s->value == Value::Optional && word->value && word->value->empty()))
        return both("开关 " + name + " 缺少值（" + name + ":值）",
                    name + " needs a value (" + name + ":value)");
    return take(s->id, word->value.value_or(std::string()), line);
}

// /whatif and /check look at the machine with the actions' plans and
// change nothing: one at a time, and neither with /export or /undo.
std::optional<std::string> checkLookingOnly(const CommandLine& line) {
    if (line.whatIf && line.check)
        return both("/whatif 与 /check 不能同时使用", "/whatif and /check exclude each other");
    if ((line.whatIf || line.check) && (line.exportFolder || line.undo))
        return both(std::string(line.whatIf ? "/whatif" : "/check") +
                        " 不能与 /export 或 /undo 一起使用",
                    std::string(line.whatIf ? "/whatif" : "/check") +
                        " goes with neither /export nor /undo");
    return std::nullopt;
}

// What the switches ask for together.
std::optional<std::string> checkCombination(const CommandLine& line) {
    if (line.optimize && line.restore)
        return both("/optimize 与 /restore 不能同时使用",
                    "/optimize and /restore exclude each other");
    if (line.tweaks && !line.optimize && !line.services)
        return both("/tweaks 只能与 /optimize 或 /services 一起使用",
                    "/tweaks goes with /optimize or /services");
    if (line.tweaks && line.tweaks->shortcuts && !line.optimize)
        return both("快捷方式箭头（arrow）只能与 /optimize 一起使用",
                    "the shortcut arrow (arrow) goes with /optimize only");
    if (line.exportFolder && line.changesOemValues())
        return both("OEM 信息由程序直接写入，没有脚本可以导出：/export 不能与 /owner、"
                    "/organization、/manufacturer、/model 一起使用",
                    "OEM values are written by the program itself, not by a script: /export "
                    "cannot go with /owner, /organization, /manufacturer or /model");
    const bool anyAction = line.optimize || line.restore || line.services || line.clean ||
                           line.changesOemValues() || line.logo;
    // An undo stands alone: what it restores is what the snapshot recorded.
    if (line.undo && (anyAction || line.exportFolder || line.force))
        return both("/undo 不能与其他操作、/export 或 /force 一起使用",
                    "/undo goes with no other action and not with /export or /force");
    if (!anyAction && !line.undo)
        return both("没有要执行的操作", "no action given");
    return checkLookingOnly(line);
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    parsed.line.quiet = anySwitchNamed(args, Switch::Quiet);
    if (anySwitchNamed(args, Switch::Help)) {
        parsed.line.help = true;
        return parsed;
    }
    Seen seen;
    for (const std::string& arg : args)
        if ((parsed.error = parseWord(arg, &seen, &parsed.line)))
            return parsed;
    parsed.error = checkCombination(parsed.line);
    return parsed;
}

std::optional<std::string> checkSwitch(const std::string& arg) {
    Seen seen;
    CommandLine line;
    return parseWord(arg, &seen, &line);
}

bool anythingAfterProgramName(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"')
            ++line;
        if (*line)
            ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return *line != 0;
}
