// The Explorer tweak scripts read as regedit and reg would carry them out,
// compared with what each script says it changes: the snapshot records, undo
// gives back and the command line reads back only what the table declares, so
// a line of the script and the table must never drift apart.
#include "tweaks/tweak_scripts.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

using Value =
    std::tuple<std::string, std::string, std::uint32_t, std::string>; // key, name, type, data
using Name = std::pair<std::string, std::string>;                     // key, value name

// What a script does to the registry, as sets that do not care for order.
struct Effects {
    std::set<std::string> keysThatExist; // created when missing
    std::set<std::string> keysDeleted;
    std::set<Value> valuesSet;
    std::set<Name> valuesDeleted;

    bool operator==(const Effects& o) const {
        return keysThatExist == o.keysThatExist && keysDeleted == o.keysDeleted &&
               valuesSet == o.valuesSet && valuesDeleted == o.valuesDeleted;
    }
};

std::string unquoted(const std::string& text) {
    EXPECT_TRUE(text.size() >= 2 && text.front() == '"' && text.back() == '"') << text;
    return text.substr(1, text.size() - 2);
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string hexBytes(const std::string& list) {
    std::string bytes;
    for (std::size_t i = 0; i < list.size(); i += 3)
        bytes += static_cast<char>(std::stoul(list.substr(i, 2), nullptr, 16));
    return bytes;
}

// One line of a regedit 5 file under `key`: a value set or deleted.
void valueLine(const std::string& key, const std::string& line, Effects* out) {
    const auto equals = line.find('=', line[0] == '"' ? line.find('"', 1) : 0);
    ASSERT_NE(equals, std::string::npos) << line;
    const std::string left = trimmed(line.substr(0, equals));
    const std::string right = trimmed(line.substr(equals + 1));
    const std::string name = left == "@" ? std::string() : unquoted(left);
    if (right == "-")
        out->valuesDeleted.insert({key, name});
    else if (right.rfind("dword:", 0) == 0)
        out->valuesSet.insert(
            {key, name, 4, registryDword(std::stoul(right.substr(6), nullptr, 16)).data});
    else if (right.rfind("hex:", 0) == 0)
        out->valuesSet.insert({key, name, 3, hexBytes(right.substr(4))});
    else
        out->valuesSet.insert({key, name, 1, unquoted(right)});
}

// The script's lines as the command interpreter runs them: the lines echoed
// into the .reg file (percent signs halved) and imported, and reg's deletions.
Effects fromScript(const TweakScript& script) {
    Effects out;
    std::string key;
    for (const std::string& line : script.lines) {
        const auto echo = line.find(".reg echo ");
        if (line.rfind(">", 0) == 0 && echo != std::string::npos) {
            std::string text = line.substr(echo + 10);
            for (auto p = text.find("%%"); p != std::string::npos; p = text.find("%%", p + 1))
                text.erase(p, 1);
            if (text == "Windows Registry Editor Version 5.00")
                continue;
            if (text.rfind("[-", 0) == 0) {
                out.keysDeleted.insert(text.substr(2, text.size() - 3));
                key.clear();
            } else if (text[0] == '[') {
                key = text.substr(1, text.size() - 2);
                out.keysThatExist.insert(key);
            } else {
                valueLine(key, text, &out);
            }
        } else if (line.rfind("reg delete ", 0) == 0) {
            const auto open = line.find('"');
            out.keysDeleted.insert(line.substr(open + 1, line.find('"', open + 1) - open - 1));
        }
    }
    return out;
}

// What the table declares; a value set in a key makes the key exist.
Effects fromTable(const TweakScript& script) {
    Effects out;
    using Kind = RegistryChange::Kind;
    for (const RegistryChange& c : script.changes) {
        switch (c.kind) {
        case Kind::SetValue:
            out.keysThatExist.insert(c.key);
            EXPECT_TRUE(c.setTo.has_value()) << c.key << "\\" << c.value;
            if (c.setTo)
                out.valuesSet.insert({c.key, c.value, c.setTo->type, c.setTo->data});
            break;
        case Kind::DeleteValue:
            out.valuesDeleted.insert({c.key, c.value});
            break;
        case Kind::CreateKey:
            out.keysThatExist.insert(c.key);
            break;
        case Kind::DeleteKey:
            out.keysDeleted.insert(c.key);
            break;
        }
    }
    return out;
}

std::string describe(const Effects& e) {
    std::string text;
    for (const std::string& k : e.keysThatExist)
        text += "key " + k + "\n";
    for (const std::string& k : e.keysDeleted)
        text += "deleted key " + k + "\n";
    for (const Value& v : e.valuesSet)
        text += "value " + std::get<0>(v) + "\\" + std::get<1>(v) + " type " +
                std::to_string(std::get<2>(v)) + " (" + std::to_string(std::get<3>(v).size()) +
                " bytes)\n";
    for (const Name& n : e.valuesDeleted)
        text += "deleted value " + n.first + "\\" + n.second + "\n";
    return text;
}

TEST(TweakRegistry, EachScriptChangesExactlyWhatItsTableDeclares) {
    for (const TweakScript* script : {&kShortcutScript, &kNotepadScript, &kSharedDocsScript}) {
        const Effects run = fromScript(*script);
        const Effects declared = fromTable(*script);
        EXPECT_TRUE(run == declared) << script->name << "\nthe script:\n"
                                     << describe(run) << "the table:\n"
                                     << describe(declared);
    }
}

} // namespace
