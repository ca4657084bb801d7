// The copy line of "fuzhi.bat" (and the attrib line before it) read back
// through a model of the command interpreter.
//
// Input: the Windows directory, a NUL, the chosen file's path. Inputs that are
// not valid Windows paths (drive, backslash, components without the
// characters Windows forbids) or that GBK cannot hold are skipped.
// Invariant: the interpreter's % expansion and its splitting at blanks,
// separators and quotation marks give back exactly the source and the
// destination, and no command operator stands outside quotation marks.
#include "fuzz_check.h"
#include "oem/fuzhi_script.h"
#include "platform/cp936.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace {

bool isValidPath(const std::string& path, size_t maxLength) {
    if (path.size() < 4 || path.size() > maxLength || !isWellFormedUtf8(path) || !toCp936(path))
        return false;
    const char drive = path[0];
    if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) || path[1] != ':' ||
        path[2] != '\\')
        return false;
    std::string component;
    for (size_t i = 3; i <= path.size(); ++i) {
        const char c = i < path.size() ? path[i] : '\\';
        if (c == '\\') {
            if (component.empty() || component.back() == ' ' || component.back() == '.')
                return false;
            component.clear();
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string("<>:\"/|?*").find(c) != std::string::npos)
            return false;
        component += c;
    }
    return true;
}

// Phase one of the interpreter in a batch file: %% stands for %, and any other
// % would expand an argument or a variable, so the text would change.
std::optional<std::string> percentsExpanded(const std::string& line) {
    std::string out;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '%') {
            out += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

// Phase two: the arguments as a command such as copy receives them, split at
// blanks and separators outside quotation marks, the quotation marks removed.
// nullopt when an operator or an escape stands outside quotation marks.
std::optional<std::vector<std::string>> arguments(const std::string& line) {
    std::vector<std::string> args;
    std::string current;
    bool quoted = false, inArgument = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
            continue;
        }
        if (!quoted && std::string("&|<>()^").find(c) != std::string::npos)
            return std::nullopt;
        if (!quoted && std::string(" \t,;=").find(c) != std::string::npos) {
            if (inArgument)
                args.push_back(current);
            current.clear();
            inArgument = false;
            continue;
        }
        current += c;
        inArgument = true;
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        args.push_back(current);
    return args;
}

std::optional<std::vector<std::string>> interpreted(const std::string& line) {
    const std::optional<std::string> expanded = percentsExpanded(line);
    if (!expanded)
        return std::nullopt;
    return arguments(*expanded);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t nul = input.find('\0');
    if (nul == std::string::npos)
        return 0;
    const std::string windowsDir = input.substr(0, nul);
    const std::string source = input.substr(nul + 1);
    // GetWindowsDirectoryA gets a buffer of 200; a path the picker offers has
    // at most MAX_PATH - 1 characters.
    if (!isValidPath(windowsDir, 199) || !isValidPath(source, 259))
        return 0;

    const std::string logo = windowsDir + "\\system32\\oemlogo.bmp";
    const ScriptLines lines = fuzhiLines(windowsDir, source);
    FUZZ_CHECK(lines.size() == 3);
    FUZZ_CHECK(interpreted(lines[0]) ==
               (std::vector<std::string>{"attrib", "-h", "-s", "-r", logo}));
    FUZZ_CHECK(interpreted(lines[1]) == (std::vector<std::string>{"copy", source, logo, "/y"}));
    FUZZ_CHECK(interpreted(lines[2]) == (std::vector<std::string>{"del", "fuzhi.bat"}));
    return 0;
}
