#include "undo/undo_scripts.h"

#include "script/reg_text.h"
#include "services/service_tables.h"
#include "undo/text.h"

namespace {

constexpr std::uint32_t kString = 1; // REG_SZ
constexpr std::uint32_t kBinary = 3; // REG_BINARY
constexpr std::uint32_t kDword = 4;  // REG_DWORD
constexpr std::string::size_type kRegWidth = 76;

// A literal for a batch line: the command interpreter would take a single
// percent sign for the start of a variable.
std::string batchLiteral(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '%' ? std::string("%%") : std::string(1, c);
    return out;
}

// The text of a string value that regedit writes back byte for byte from
// its quoted form: UTF-16 that ends in one NUL, with no other NUL and no
// control character.
std::optional<std::string> plainString(const std::string& data) {
    if (data.size() < 2 || data.size() % 2 || data[data.size() - 1] || data[data.size() - 2])
        return std::nullopt;
    const std::string body = data.substr(0, data.size() - 2);
    for (std::string::size_type i = 0; i < body.size(); i += 2)
        if (body[i + 1] == 0 && static_cast<unsigned char>(body[i]) < 0x20)
            return std::nullopt;
    return utf16leToUtf8(body);
}

std::string hexType(std::uint32_t type) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdef"[type % 16]);
        type /= 16;
    } while (type != 0);
    return digits;
}

class RegText {
public:
    void line(const std::string& text) { text_ += text + "\r\n"; }
    void key(const std::string& key, const std::vector<RegistryValue>& values) {
        line("[" + key + "]");
        for (const RegistryValue& v : values)
            text_ += regValueLines(v) + "\r\n";
        line("");
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The values of the snapshot grouped under their keys, in the order the keys
// first appear.
void writeValues(RegText& reg, const Snapshot& shot) {
    std::vector<bool> done(shot.values.size(), false);
    for (std::size_t i = 0; i < shot.values.size(); ++i) {
        if (done[i])
            continue;
        const std::string& key = shot.values[i].key;
        reg.line("[" + key + "]");
        for (std::size_t j = i; j < shot.values.size(); ++j) {
            const ValueState& v = shot.values[j];
            if (done[j] || v.key != key)
                continue;
            done[j] = true;
            reg.line(v.value ? regValueLines(*v.value)
                             : (v.name.empty() ? "@" : regQuoted(v.name)) + "=-");
        }
        reg.line("");
    }
}

} // namespace

ScriptLines undoBatLines(const Snapshot& shot, const std::string& action, const LocalTime& time) {
    ScriptLines lines = {
        "rem 撤销“" + action + "”：恢复 " + timeText(time) + " 更改之前的状态。",
        "rem 由 Velkor 系统优化程序生成，也可以以管理员身份直接运行。",
    };
    // Every tool by its full path, so that nothing in the current directory
    // or on the path runs in its place. A 32-bit interpreter on 64-bit
    // Windows would reach the 32-bit tools and files: the script runs itself
    // again in the native one.
    const std::string windows = batchLiteral(shot.windowsFolder);
    const std::string native = "\"" + windows + "\\Sysnative\\cmd.exe\"";
    const std::string system = windows + "\\system32\\";
    lines.push_back("if exist " + native + " " + native + " /d /v:off /c \"\"%~f0\"\" & exit /b");
    for (const ServiceState& s : shot.services)
        lines.push_back(s.mode ? "\"" + system + "sc.exe\"" +
                                     serviceConfigLine(s.service.c_str(), *s.mode, 0).substr(2)
                               : "rem 服务 " + s.service + " 更改前没有安装，无需恢复。");
    if (needsUndoReg(shot))
        lines.push_back("start \"\" /wait \"" + windows + "\\regedit.exe\" /s \"%~dp0" +
                        kUndoRegName + "\"");
    // A .reg file can only delete a key with everything in it.
    for (auto k = shot.newKeys.rbegin(); k != shot.newKeys.rend(); ++k)
        lines.push_back("rem 注册表项 " + batchLiteral(*k) +
                        " 是这次更改新建的：本程序撤销时，其中没有别的内容才删除它。");
    const std::string attrib = "\"" + system + "attrib.exe\" ";
    for (const FileState& f : shot.files) {
        const std::string path = "\"" + batchLiteral(f.path) + "\"";
        if (!f.bytes) {
            // /a: hidden and system files too.
            lines.push_back("del /f /a " + path);
            continue;
        }
        // copy cannot overwrite a hidden, system or read-only file: clear
        // them first, then give the file back the attributes it had.
        lines.push_back(attrib + "-r -h -s " + path);
        lines.push_back("copy /y \"%~dp0" + batchLiteral(f.savedName) + "\" " + path);
        if (f.attributes)
            lines.push_back(attrib + (f.attributes & kAttributeReadOnly ? "+r " : "") +
                            (f.attributes & kAttributeHidden ? "+h " : "") +
                            (f.attributes & kAttributeSystem ? "+s " : "") + path);
    }
    return lines;
}

bool needsUndoReg(const Snapshot& shot) {
    return !shot.values.empty() || !shot.deletedKeys.empty();
}

std::string regValueLines(const RegistryValue& value) {
    std::string line = value.name.empty() ? "@=" : regQuoted(value.name) + "=";
    if (value.type == kString)
        if (std::optional<std::string> text = plainString(value.data))
            return line + regQuoted(*text);
    if (value.type == kDword && value.data.size() == 4) {
        line += "dword:";
        for (int i = 3; i >= 0; --i)
            line += hexByte(static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]));
        return line;
    }
    line += value.type == kBinary ? "hex:" : "hex(" + hexType(value.type) + "):";
    std::string text; // the lines before the last
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        line += hexByte(static_cast<unsigned char>(value.data[i]));
        if (i + 1 == value.data.size())
            break;
        line += ",";
        if (line.size() >= kRegWidth) {
            text += line + "\\\r\n";
            line = "  ";
        }
    }
    return text + line;
}

std::optional<std::string> undoRegBytes(const Snapshot& shot) {
    RegText reg;
    reg.line("Windows Registry Editor Version 5.00");
    reg.line("");
    writeValues(reg, shot);
    // A deleted key comes back exactly as it was: whatever holds its name
    // now goes first.
    for (const KeyState& k : shot.deletedKeys) {
        if (!k.tree)
            continue;
        reg.line("[-" + k.key + "]");
        reg.line("");
        for (const RegistryKeyContent& content : *k.tree)
            reg.key(content.key, content.values);
    }
    std::optional<std::string> utf16 = utf8ToUtf16le(reg.text());
    if (!utf16)
        return std::nullopt;
    return "\xFF\xFE" + *utf16;
}
