// The command line's switches.
//
// Input: the arguments, separated by NUL bytes.
// Invariants: a command line that is accepted holds no control character
// (none reaches a script, a path or the log); writing a switch's name in
// capitals, or with "-" for "/" (or the other way round), changes neither
// whether the line is accepted nor what it asks for.
#include "cli/switches.h"
#include "fuzz_check.h"

#include <cstdint>

namespace {

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> args(1);
    for (char c : text) {
        if (c == '\0')
            args.emplace_back();
        else
            args.back() += c;
    }
    return args;
}

// The same switch written otherwise: the other leading character and the
// name (up to the colon) in capitals.
std::string otherwise(const std::string& arg) {
    if (arg.empty() || (arg[0] != '/' && arg[0] != '-'))
        return arg;
    std::string out = arg;
    out[0] = arg[0] == '/' ? '-' : '/';
    for (std::size_t i = 1; i < out.size() && out[i] != ':'; ++i)
        if (out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
    return out;
}

bool same(const CommandLine& a, const CommandLine& b) {
    const auto tweaks = [](const std::optional<TweakChoices>& t) {
        return t ? std::string(1, t->shortcuts) + char(t->notepad) + char(t->sharedDocs) : "none";
    };
    return a.help == b.help && a.quiet == b.quiet && a.optimize == b.optimize &&
           a.restore == b.restore && tweaks(a.tweaks) == tweaks(b.tweaks) &&
           a.services == b.services && a.clean == b.clean && a.owner == b.owner &&
           a.organization == b.organization && a.manufacturer == b.manufacturer &&
           a.model == b.model && a.logo == b.logo && a.exportFolder == b.exportFolder &&
           a.undo == b.undo && a.force == b.force;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args =
        split(std::string(reinterpret_cast<const char*>(data), size));
    const ParsedCommandLine parsed = parseCommandLine(args);
    if (!parsed.error && !parsed.line.help)
        for (const std::string& arg : args)
            for (char c : arg)
                FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);

    std::vector<std::string> written;
    for (const std::string& arg : args)
        written.push_back(otherwise(arg));
    const ParsedCommandLine again = parseCommandLine(written);
    FUZZ_CHECK(parsed.error.has_value() == again.error.has_value());
    FUZZ_CHECK(same(parsed.line, again.line));
    return 0;
}
