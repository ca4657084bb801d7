#include "actions/logo_replacement.h"

#include "oem/fuzhi_script.h"
#include "oem/oem_paths.h"
#include "platform/cp936.h"

#include <optional>

namespace {

const char kAction[] = "OEM LOGO";

// The chosen path as the script can carry it: itself when code page 936 can
// hold it, otherwise its short name, which can.
std::optional<std::string> scriptablePath(Platform& sys, const std::string& path) {
    if (toCp936(path))
        return path;
    std::optional<std::string> shortName = sys.shortPath(path);
    if (shortName && toCp936(*shortName))
        return shortName;
    return std::nullopt;
}

} // namespace

Plan logoPlan(const std::string& windowsDir, const std::string& source) {
    Plan plan;
    plan.action = kAction;
    // The copy replaces a file in the system folder: without the rights it
    // would fail in a hidden window where nobody sees it.
    plan.needsAdministrator = true;
    plan.scripts.push_back({kFuzhiScript, fuzhiLines(windowsDir, source), ShowState::Hidden});
    plan.files.push_back(oemLogoPath(windowsDir));
    return plan;
}

Plan planLogoReplacement(Platform& sys, const std::string& chosen) {
    // Without a file to copy the script would only strip the installed
    // logo's attributes.
    if (chosen.empty() || !sys.fileExists(chosen))
        return refusedPlan(kAction, "请先选择一个存在的图片文件。");
    const std::optional<std::string> source = scriptablePath(sys, chosen);
    if (!source)
        return refusedPlan(kAction,
                           "所选文件的路径含有无法用 GBK 编码表示的字符，且没有可用的短文件名，"
                           "无法复制。请将文件改名或移到其他文件夹后再试。");
    Plan plan = logoPlan(sys.windowsDirectory(), *source);
    // Once the copy has ended, the installed logo is the chosen picture
    // byte for byte, as it stands now.
    if (std::optional<std::string> bytes = sys.readFile(chosen, nullptr))
        plan.expectedFiles.push_back({oemLogoPath(sys.windowsDirectory()), *bytes});
    return plan;
}

ChosenLogo readChosenLogo(Platform& sys, const std::string& path) {
    return {path, sys.readFile(path, nullptr)};
}

std::optional<std::string> logoCopyFailure(Platform& sys, const ChosenLogo& chosen) {
    const std::string installed = oemLogoPath(sys.windowsDirectory());
    const std::optional<std::string> now = sys.readFile(installed, nullptr);
    if (chosen.bytes && now && *now == *chosen.bytes)
        return std::nullopt;
    return "OEM LOGO 未能更换：复制结束后，" + installed + " 与所选的图片 " + chosen.path +
           " 不一致。";
}
