#include "script/plan_readback.h"

#include "platform/unicode_text.h"
#include "script/error_text.h"

namespace {

constexpr std::uint32_t kRegSz = 1;

std::string valueName(const RegistryChange& change) {
    return change.value.empty() ? "注册表项 " + change.key + " 的默认值"
                                : "注册表值 " + change.key + "\\" + change.value;
}

// A REG_SZ as stored: UTF-16LE, usually with its terminating zero.
std::string storedText(std::string data) {
    while (data.size() >= 2 && data[data.size() - 1] == '\0' && data[data.size() - 2] == '\0')
        data.resize(data.size() - 2);
    return utf16ToUtf8(data, false);
}

bool absent(ErrorCode e) {
    return e == kErrorFileNotFound || e == kErrorPathNotFound;
}

std::string unreadable(const std::string& what, ErrorCode e) {
    return "无法读取" + what + "：" + describeError(e) + "。";
}

std::optional<std::string> notInPlace(Registry& registry, const RegistryChange& change) {
    using Kind = RegistryChange::Kind;
    if (change.kind == Kind::CreateKey || change.kind == Kind::DeleteKey) {
        const ErrorCode e = registry.checkRegistryKey(change.key);
        if (e != 0 && !absent(e))
            return unreadable("注册表项 " + change.key, e);
        const bool exists = e == 0;
        if (change.kind == Kind::CreateKey && !exists)
            return "注册表项 " + change.key + " 不存在。";
        if (change.kind == Kind::DeleteKey && exists)
            return "注册表项 " + change.key + " 仍然存在。";
        return std::nullopt;
    }
    if (change.kind == Kind::SetValue && !change.setTo)
        return std::nullopt;
    RegistryValue value;
    const ErrorCode e = registry.readRegistryValue(change.key, change.value, &value);
    if (e != 0 && !absent(e))
        return unreadable(valueName(change), e);
    if (change.kind == Kind::DeleteValue)
        return e == 0 ? std::optional<std::string>(valueName(change) + " 仍然存在。")
                      : std::nullopt;
    if (e != 0 || !registryHolds(value, *change.setTo))
        return valueName(change) + " 未设为应有的值。";
    return std::nullopt;
}

} // namespace

bool registryHolds(const RegistryValue& value, const RegistryData& wanted) {
    if (value.type != wanted.type)
        return false;
    return wanted.type == kRegSz ? storedText(value.data) == wanted.data
                                 : value.data == wanted.data;
}

std::vector<std::string> registryNotInPlace(Registry& registry,
                                            const std::vector<RegistryChange>& changes) {
    std::vector<std::string> found;
    for (const RegistryChange& change : changes)
        if (std::optional<std::string> line = notInPlace(registry, change))
            found.push_back(*line);
    return found;
}
