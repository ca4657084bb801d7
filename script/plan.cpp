#include "script/plan.h"

namespace {

template <typename T> void appendAll(std::vector<T>& to, const std::vector<T>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

} // namespace

void append(Plan& plan, const Plan& piece) {
    appendAll(plan.scripts, piece.scripts);
    appendAll(plan.fileWrites, piece.fileWrites);
    appendAll(plan.registryWrites, piece.registryWrites);
    appendAll(plan.services, piece.services);
    appendAll(plan.registry, piece.registry);
    appendAll(plan.files, piece.files);
    appendAll(plan.knownFailures, piece.knownFailures);
}

RegistryData registryText(const std::string& text) {
    return {1, text};
}

RegistryData registryDword(std::uint32_t number) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((number >> shift) & 0xFF);
    return {4, bytes};
}

RegistryData registryBinary(const std::string& bytes) {
    return {3, bytes};
}

Plan refusedPlan(const std::string& action, const std::string& text) {
    Plan plan;
    plan.action = action;
    plan.refusal = text;
    return plan;
}

std::vector<std::string> scriptNames(const Plan& plan) {
    std::vector<std::string> names;
    for (const PlannedScript& s : plan.scripts)
        names.push_back(s.name);
    return names;
}
