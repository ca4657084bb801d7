#include "undo/snapshot_scope.h"

#include "undo/text.h"

#include <vector>

namespace {

// The kinds of line, a registry change's by its kind.
const char* const kRegistryKinds[] = {"set-value", "delete-value", "create-key", "delete-key"};

} // namespace

std::optional<std::string> scopeText(const SnapshotScope& scope) {
    std::string text;
    bool carried = true;
    auto line = [&](const char* kind, const std::string& a, const std::string& b) {
        carried = carried && (a + b).find_first_of("\t\r\n") == std::string::npos;
        text += kind;
        text += '\t' + a + '\t' + b + '\n';
    };
    for (const std::string& s : scope.scripts)
        line("script", s, "");
    for (const std::string& s : scope.services)
        line("service", s, "");
    for (const RegistryChange& r : scope.registry)
        line(kRegistryKinds[static_cast<int>(r.kind)], r.key, r.value);
    for (const std::string& f : scope.files)
        line("file", f, "");
    for (const std::string& k : scope.createdKeys)
        line("created-key", k, "");
    if (!carried)
        return std::nullopt;
    return text;
}

bool parseScope(const std::string& text, SnapshotScope* scope) {
    std::vector<std::string> lines = split(text, "\n");
    // The text ends with a line break: without it, the last line may have
    // been cut short.
    if (!lines.back().empty())
        return false;
    lines.pop_back();
    for (const std::string& line : lines) {
        std::vector<std::string> f = split(line, "\t");
        if (f.size() != 3)
            return false;
        int kind = 0;
        while (kind < 4 && f[0] != kRegistryKinds[kind])
            ++kind;
        if (kind < 4)
            scope->registry.push_back({static_cast<RegistryChange::Kind>(kind), f[1], f[2]});
        else if (f[0] == "script")
            scope->scripts.push_back(f[1]);
        else if (f[0] == "service")
            scope->services.push_back(f[1]);
        else if (f[0] == "file")
            scope->files.push_back(f[1]);
        else if (f[0] == "created-key")
            scope->createdKeys.push_back(f[1]);
        else
            return false;
    }
    return true;
}
