#include "preview/junk_counts.h"

#include "cleanup/junk_script.h"
#include "platform/ascii_text.h"

#include <map>
#include <set>

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string decimal64(std::uint64_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + value % 10));
        value /= 10;
    } while (value);
    return digits;
}

// One deleting line, taken apart.
struct DeleteLine {
    bool removeTree = false; // rd /s: the folder and everything in it
    bool subfolders = false; // del /s
    std::string path;        // as written, quotation marks removed
};

std::optional<DeleteLine> parseLine(std::string line) {
    const std::string::size_type and_ = line.find(" & ");
    if (and_ != std::string::npos)
        line = line.substr(0, and_);
    DeleteLine parsed;
    std::string::size_type at = 0;
    const std::string::size_type firstBlank = line.find(' ');
    const std::string command = asciiLower(line.substr(0, firstBlank));
    if (firstBlank == std::string::npos || (command != "del" && command != "rd"))
        return std::nullopt;
    parsed.removeTree = command == "rd";
    at = firstBlank + 1;
    while (at + 1 < line.size() && line[at] == '/') {
        const char option = lowerAscii(line[at + 1]);
        if (option == 's')
            parsed.subfolders = true;
        at = line.find(' ', at);
        if (at == std::string::npos)
            return std::nullopt;
        ++at;
    }
    for (char c : line.substr(at))
        if (c != '"')
            parsed.path += c;
    // Only what lies under a folder named by a variable: "del xtql.bat"
    // deletes the script itself.
    if (parsed.path.empty() || parsed.path[0] != '%' || parsed.path.find('\\') == std::string::npos)
        return std::nullopt;
    if (parsed.removeTree && !parsed.subfolders)
        return std::nullopt;
    return parsed;
}

class Counter {
public:
    explicit Counter(Platform& sys) : sys_(sys) {}

    JunkCount count(const std::string& text, const DeleteLine& line) {
        JunkCount result;
        result.line = text;
        std::string path;
        if (!expand(line.path, &path, &result.problem))
            return result;
        if (line.removeTree) {
            walk(path, "*.*", true, true, result);
            return result;
        }
        const std::string::size_type cut = path.rfind('\\');
        walk(path.substr(0, cut), path.substr(cut + 1), line.subfolders, false, result);
        return result;
    }

private:
    bool expand(const std::string& path, std::string* out, std::string* problem) {
        for (std::string::size_type i = 0; i < path.size();) {
            const std::string::size_type end =
                path[i] == '%' ? path.find('%', i + 1) : std::string::npos;
            if (end == std::string::npos) {
                *out += path[i++];
                continue;
            }
            const std::string name = path.substr(i + 1, end - i - 1);
            const std::optional<std::string> value = sys_.environmentVariable(name);
            if (!value) {
                *problem = "%" + name + "% 未设置";
                return false;
            }
            *out += *value;
            i = end + 1;
        }
        return true;
    }

    const std::vector<FolderEntry>& entries(const std::string& folder) {
        auto it = listed_.find(asciiLower(folder));
        if (it == listed_.end())
            it = listed_.emplace(asciiLower(folder), sys_.listFolder(folder)).first;
        return it->second;
    }

    // `all`: hidden and system files too (rd takes them; del leaves them).
    void walk(const std::string& folder, const std::string& pattern, bool subfolders, bool all,
              JunkCount& result) {
        for (const FolderEntry& e : entries(folder)) {
            const std::string path = folder + "\\" + e.name;
            if (e.folder) {
                // A link leads out of the folder: the count does not follow it.
                if (subfolders && !(e.attributes & kAttributeReparsePoint))
                    walk(path, pattern, subfolders, all, result);
                continue;
            }
            if (!all && (e.attributes & (kAttributeHidden | kAttributeSystem)))
                continue;
            if (!matchesPattern(e.name, pattern) || !taken_.insert(asciiLower(path)).second)
                continue;
            ++result.files;
            result.bytes += e.size;
        }
    }

    Platform& sys_;
    std::map<std::string, std::vector<FolderEntry>> listed_;
    std::set<std::string> taken_; // files an earlier line takes
};

} // namespace

bool matchesPattern(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*" || pattern == "*")
        return true;
    // Iterative match with one pending star, the usual way.
    std::size_t n = 0, p = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<JunkCount> junkCounts(Platform& sys, const ScriptLines& lines) {
    Counter counter(sys);
    std::vector<JunkCount> counts;
    for (const std::string& line : lines)
        if (const std::optional<DeleteLine> parsed = parseLine(line))
            counts.push_back(counter.count(line, *parsed));
    return counts;
}

std::vector<std::string> junkCountLines(Platform& sys, const Plan& plan) {
    std::vector<std::string> texts;
    for (const PlannedScript& script : plan.scripts) {
        if (script.name != kJunkScriptName)
            continue;
        for (const JunkCount& c : junkCounts(sys, script.lines))
            texts.push_back(c.line + "：" +
                            (c.problem.empty()
                                 ? decimal64(c.files) + " 个文件，" + decimal64(c.bytes) + " 字节"
                                 : c.problem));
    }
    return texts;
}
