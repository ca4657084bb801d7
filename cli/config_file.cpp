#include "cli/config_file.h"

#include "cli/switches.h"
#include "platform/ascii_text.h"
#include "platform/cp936.h"
#include "platform/number_text.h"
#include "platform/unicode_text.h"
#include "script/error_text.h"
#include "services/service_choices.h"

#include <map>

namespace {

// A value between double quotes loses them: "信息中心" is 信息中心.
std::string unquoted(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

// The command-line switches that name an action; they do not go with a file.
const char* const kActionSwitches[] = {
    "optimize",     "optimise",     "tweaks",       "restore", "services", "clean", "owner",
    "organization", "organisation", "manufacturer", "model",   "logo",     "undo",
};

// The name of a switch word ("/Config:x" -> "config"), or "" for no switch.
std::string switchName(const std::string& arg) {
    if (arg.empty() || (arg[0] != '/' && arg[0] != '-'))
        return std::string();
    return asciiLower(
        arg.substr(1, arg.find(':') == std::string::npos ? std::string::npos : arg.find(':') - 1));
}

class Reader {
public:
    explicit Reader(const std::string& file) : file_(file) {}

    // Takes one line; false and the error when it is wrong.
    bool line(const std::string& raw, std::uint32_t number) {
        number_ = number;
        const std::string text = trimmed(raw, " \t");
        if (text.empty() || text[0] == ';')
            return true;
        if (text.front() == '[') {
            if (text.back() != ']')
                return fail("节名缺少“]”", "a section name lacks its \"]\"");
            section_ = asciiLower(trimmed(text.substr(1, text.size() - 2), " \t"));
            if (section_ != "actions" && section_ != "services" && section_ != "oem")
                return fail("未知的节 " + text + "（只有 [Actions]、[Services]、[OEM]）",
                            "unknown section " + text +
                                " (there are [Actions], [Services], [OEM])");
            if (section_ == "services")
                servicesLine_ = number;
            return true;
        }
        const std::string::size_type equals = text.find('=');
        if (equals == std::string::npos)
            return fail("无法识别的行（应为 名称 = 值）", "a line that is not name = value");
        const std::string key = trimmed(text.substr(0, equals), " \t");
        const std::string value = unquoted(trimmed(text.substr(equals + 1), " \t"));
        if (section_.empty())
            return fail("“" + key + "”不在任何节中", "\"" + key + "\" is in no section");
        if (!seen_.emplace(section_ + "\n" + asciiLower(key), number).second)
            return fail("“" + key + "”重复", "\"" + key + "\" is given twice");
        if (section_ == "actions")
            return action(asciiLower(key), value);
        if (section_ == "services")
            return service(key, value);
        return oem(asciiLower(key), value);
    }

    // After the last line; false and the error when something is missing.
    bool finish(std::vector<std::string>* args) {
        if (servicesLine_) {
            std::string digits, missing;
            for (const ServiceChoice& choice : kServiceChoices) {
                const auto it = services_.find(asciiLower(choice.name));
                if (it == services_.end()) {
                    if (missing.find(choice.name) == std::string::npos)
                        missing += std::string(missing.empty() ? "" : "、") + choice.name;
                    continue;
                }
                digits += it->second ? '1' : '0';
            }
            if (!missing.empty()) {
                number_ = servicesLine_;
                return fail("[Services] 缺少 " + missing, "[Services] lacks " + missing);
            }
            words_.push_back({"/services:" + digits, servicesLine_});
        }
        for (const Word& w : words_)
            args->push_back(w.text);
        return true;
    }

    std::string error;

private:
    struct Word {
        std::string text;
        std::uint32_t line;
    };

    bool fail(const std::string& chinese, const std::string& english) {
        const std::string at = decimalText(number_);
        error = "配置文件 " + file_ + " 第 " + at + " 行：" + chinese + " / " + file_ + ", line " +
                at + ": " + english;
        return false;
    }

    // A switch word the line stands for, checked by the switches' own rules.
    bool word(const std::string& text) {
        if (std::optional<std::string> wrong = checkSwitch(text)) {
            const std::string::size_type cut = wrong->find(" / ");
            return fail(wrong->substr(0, cut),
                        cut == std::string::npos ? *wrong : wrong->substr(cut + 3));
        }
        words_.push_back({text, number_});
        return true;
    }

    bool yes(const std::string& value, bool* on) {
        const std::string v = asciiLower(value);
        if (v == "yes" || v == "是" || v == "1" || v == "true") {
            *on = true;
            return true;
        }
        if (v == "no" || v == "否" || v == "0" || v == "false") {
            *on = false;
            return true;
        }
        return fail("值应为 yes 或 no，而不是“" + value + "”",
                    "the value is yes or no, not \"" + value + "\"");
    }

    bool action(const std::string& key, const std::string& value) {
        if (key == "tweaks")
            return word("/tweaks:" + value);
        if (key != "optimize" && key != "restore" && key != "clean")
            return fail("[Actions] 中未知的名称“" + key + "”（optimize、restore、clean、tweaks）",
                        "unknown name \"" + key +
                            "\" in [Actions] (optimize, restore, clean, tweaks)");
        bool on = false;
        if (!yes(value, &on))
            return false;
        return !on || word("/" + key);
    }

    bool service(const std::string& key, const std::string& value) {
        bool known = false;
        for (const ServiceChoice& choice : kServiceChoices)
            known = known || asciiLower(key) == asciiLower(choice.name);
        if (!known)
            return fail("“" + key + "”不是“详细服务优化”中的一项",
                        "\"" + key + "\" is no choice of the per-service dialog");
        const std::string v = asciiLower(value);
        if (v == "自动" || v == "auto")
            services_[asciiLower(key)] = true;
        else if (v == "关闭" || v == "off")
            services_[asciiLower(key)] = false;
        else
            return fail("“" + key + "”的值应为 自动 或 关闭，而不是“" + value + "”",
                        "the value of \"" + key + "\" is 自动 (auto) or 关闭 (off), not \"" +
                            value + "\"");
        return true;
    }

    bool oem(const std::string& key, const std::string& value) {
        for (const char* name : {"owner", "organization", "manufacturer", "model", "logo"})
            if (key == name)
                return word("/" + key + ":" + value);
        return fail("[OEM] 中未知的名称“" + key +
                        "”（owner、organization、manufacturer、model、logo）",
                    "unknown name \"" + key +
                        "\" in [OEM] (owner, organization, manufacturer, model, logo)");
    }

    std::string file_;
    std::uint32_t number_ = 0;
    std::string section_;
    std::uint32_t servicesLine_ = 0;
    std::map<std::string, std::uint32_t> seen_;
    std::map<std::string, bool> services_;
    std::vector<Word> words_;
};

} // namespace

std::string configText(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return sanitizeUtf8(bytes.substr(3));
    if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        return utf16ToUtf8(bytes.substr(2), false);
    if (bytes.compare(0, 2, "\xFE\xFF") == 0)
        return utf16ToUtf8(bytes.substr(2), true);
    return fromCp936(bytes);
}

ConfigSwitches switchesOfConfig(const std::string& text, const std::string& file) {
    ConfigSwitches result;
    Reader reader(file);
    std::uint32_t number = 0;
    for (std::string::size_type from = 0; from <= text.size();) {
        std::string::size_type end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!reader.line(line, ++number)) {
            result.error = reader.error;
            return result;
        }
        from = end + 1;
    }
    reader.finish(&result.args);
    if (!reader.error.empty())
        result.error = reader.error;
    return result;
}

std::optional<ConfigSwitches> configSwitches(Files& files, const std::vector<std::string>& args) {
    std::optional<std::string> file;
    std::vector<std::string> options;
    for (const std::string& arg : args) {
        const std::string name = switchName(arg);
        if (name == "config" && arg.find(':') != std::string::npos && !file) {
            file = arg.substr(arg.find(':') + 1);
            continue;
        }
        options.push_back(arg);
    }
    if (!file)
        return std::nullopt;
    ConfigSwitches result;
    result.file = *file;
    // As for every path on the command line: a control character or a quote
    // is a mistake, and would reach the log and the output as it is.
    for (char c : *file)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '"') {
            result.file.clear();
            result.error = "/config: 的路径含有换行等控制字符或引号 / the path of /config: holds "
                           "a line break, another control character or a quote";
            return result;
        }
    for (const std::string& arg : options)
        for (const char* action : kActionSwitches)
            if (switchName(arg) == action || switchName(arg) == "config") {
                result.error = "/config: 不能与 " + arg +
                               " 一起使用：操作写在配置文件中 / /config: "
                               "does not go with " +
                               arg + ": the actions are in the file";
                return result;
            }
    ErrorCode e = kErrorFileNotFound;
    const std::optional<std::string> bytes =
        file->empty() ? std::nullopt : files.readFile(*file, &e);
    if (!bytes) {
        result.error = "/config: 无法读取文件“" + *file + "”：" + describeError(e) +
                       " / /config: cannot read \"" + *file + "\"";
        return result;
    }
    result = switchesOfConfig(configText(*bytes), *file);
    result.file = *file;
    if (result.error)
        return result;
    result.args.insert(result.args.end(), options.begin(), options.end());
    return result;
}
