#include "script/script_file.h"

#include "platform/cp936.h"

std::optional<std::string> scriptBytes(const ScriptLines& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        std::optional<std::string> encoded = toCp936(line);
        if (!encoded)
            return std::nullopt;
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}
