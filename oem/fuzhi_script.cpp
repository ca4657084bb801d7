#include "oem/fuzhi_script.h"

#include "oem/oem_paths.h"
#include "script/batch_quoting.h"

namespace {

// In a batch file the command interpreter expands %...% even between
// quotation marks; a doubled percent sign stands for itself.
std::string batchText(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%')
            out += '%';
    }
    return out;
}

// A path under a Windows directory with a blank or one of the interpreter's
// special characters must be quoted; otherwise it is written bare.
std::string destination(const std::string& windowsDir) {
    const std::string path = batchText(oemLogoPath(windowsDir));
    if (!needsBatchQuotes(windowsDir))
        return path;
    return "\"" + path + "\"";
}

} // namespace

ScriptLines fuzhiLines(const std::string& windowsDir, const std::string& source) {
    const std::string logo = destination(windowsDir);
    return {
        "attrib -h -s -r " + logo,
        "copy \"" + batchText(source) + "\" " + logo + " /y",
        std::string("del ") + kFuzhiScript,
    };
}
