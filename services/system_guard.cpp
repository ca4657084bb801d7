#include "services/system_guard.h"

#include "platform/number_text.h"

namespace {

struct NamedVersion {
    unsigned major, minor, fromBuild;
    const char* name;
};

// Desktop systems by the names users know; servers and others go by number.
// Later builds first where one version number carries two names.
const NamedVersion kNames[] = {
    {5, 0, 0, "2000"}, {6, 0, 0, "Vista"},   {6, 1, 0, "7"},   {6, 2, 0, "8"},
    {6, 3, 0, "8.1"},  {10, 0, 22000, "11"}, {10, 0, 0, "10"},
};

} // namespace

bool servicesDesignedFor(const WindowsVersion& v) {
    return v.major == 5 && (v.minor == 1 || v.minor == 2);
}

std::string windowsName(const WindowsVersion& v) {
    for (const NamedVersion& n : kNames)
        if (!v.server && n.major == v.major && n.minor == v.minor && v.build >= n.fromBuild)
            return n.name;
    return decimalText(v.major) + "." + decimalText(v.minor);
}

std::string otherSystemQuestion(const WindowsVersion& v) {
    return "本程序的服务设置是为 Windows XP 设计的，当前系统是 Windows " + windowsName(v) +
           "。继续可能停用该系统需要的服务。是否继续？";
}
