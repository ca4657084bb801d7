#include "cli/run_report.h"

#include "platform/cp936.h"
#include "platform/unicode_text.h"
#include "script/error_text.h"
#include "undo/program_folder.h"

namespace {

std::string escaped(unsigned char b) {
    return std::string("\\x") + "0123456789ABCDEF"[b >> 4] + "0123456789ABCDEF"[b & 0xF];
}

// The log is a code page 936 file like every text file the program writes;
// a character it cannot hold (in a path, say) becomes a question mark rather
// than losing the line. A byte that is no part of well-formed UTF-8 is
// written as "\xC0" and the like, so that it is neither lost nor taken
// together with the bytes after it.
std::string gbkLine(const std::string& utf8) {
    if (std::optional<std::string> bytes = toCp936(utf8))
        return *bytes;
    std::string out;
    for (std::string::size_type i = 0; i < utf8.size();) {
        const std::optional<Utf8Char> c = decodeUtf8(utf8, i);
        if (!c) {
            out += escaped(static_cast<unsigned char>(utf8[i]));
            ++i;
            continue;
        }
        const std::optional<std::string> piece = toCp936(utf8.substr(i, c->length));
        out += piece ? *piece : "?";
        i += c->length;
    }
    return out;
}

std::string joined(const std::vector<std::string>& parts, const std::string& between) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : between) + part;
    return text;
}

// One line of the log: a control character that came with the command line
// (a line break in an argument) is written as "\x0D", so that no argument
// can add a line of its own, such as a forged outcome.
std::string logLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F)
            out += escaped(b);
        else
            out += c;
    }
    return gbkLine(out) + "\r\n";
}

} // namespace

std::string logFolder(const std::string& commonData) {
    return commonData + "\\Velkor";
}

std::string logPath(const std::string& commonData) {
    return logFolder(commonData) + "\\velkor-log.txt";
}

void RunReport::add(const std::string& line) {
    lines_.push_back(line);
}

std::string RunReport::logBytes(ExitCode code) {
    const std::string head = timeText(machine_.localTime()) + " [" +
                             std::string(1, static_cast<char>('0' + exitStatus(code))) + "] ";
    std::string bytes = logLine(head + "Velkor.exe " + joined(args_, " "));
    for (const std::string& line : lines_)
        bytes += logLine(head + line);
    return bytes;
}

int RunReport::finish(ExitCode code) {
    const std::string data = machine_.commonDataFolder();
    // The program's own folder, the one the snapshots live in: a folder of
    // that name that the program did not make is moved aside, never written to.
    std::optional<std::string> logFailure = secureProgramFolder(machine_);
    const std::string bytes = logBytes(code);
    if (!logFailure)
        if (ErrorCode e = machine_.appendFile(logPath(data), bytes))
            logFailure = describeError(e);
    std::vector<std::string> told = lines_;
    if (logFailure)
        told.push_back("无法写入日志 " + logPath(data) + "：" + *logFailure + "。");
    if (!extraLog_.empty())
        if (ErrorCode e = machine_.appendPlainFile(extraLog_, bytes))
            told.push_back("无法写入日志 " + extraLog_ + "：" + describeError(e) + "。");

    const bool console = console_.writeOutput(joined(told, "\r\n") + "\r\n");
    if (!quiet_ && !console)
        console_.notify(joined(told, "\n"));
    return exitStatus(code);
}
