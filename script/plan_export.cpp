#include "script/plan_export.h"

#include "script/error_text.h"

std::string exportedPath(const std::string& folder, const std::string& script) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + script;
    return folder + "\\" + script;
}

std::vector<std::string> exportScripts(Files& files, const Plan& plan, const std::string& folder) {
    std::vector<std::string> failures;
    for (const PlannedScript& script : plan.scripts) {
        const std::string path = exportedPath(folder, script.name);
        const std::optional<std::string> bytes = scriptBytes(script.lines);
        if (!bytes)
            failures.push_back("脚本 " + script.name + " 含有无法用 GBK 编码表示的字符，未写入。");
        else if (ErrorCode e = files.writeFile(path, *bytes))
            failures.push_back("无法写入 " + path + "：" + describeError(e) + "。");
    }
    return failures;
}
