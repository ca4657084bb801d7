#include "script/script_runner.h"

#include "script/error_text.h"

bool ScriptRun::mayChangeSystem(const std::vector<std::string>& scripts) {
    if (!platform_.isAdministrator()) {
        platform_.notify("需要管理员权限才能更改系统服务和注册表，请以管理员身份运行本程序。");
        return false;
    }
    for (const std::string& name : scripts)
        if (platform_.isScriptRunning(name)) {
            platform_.notify("上一次的优化仍在进行中，请稍候再试。");
            return false;
        }
    return true;
}

bool ScriptRun::run(const std::string& name, const ScriptLines& lines, ShowState show) {
    // Rewriting a script under a running command interpreter would change
    // the lines it has not read yet.
    if (platform_.isScriptRunning(name)) {
        failures_.push_back("脚本 " + name + " 上一次的运行尚未结束，本次未执行。");
        return false;
    }
    std::optional<std::string> bytes = scriptBytes(lines);
    if (!bytes) {
        failures_.push_back("脚本 " + name + " 含有无法用 GBK 编码表示的字符，未写入。");
        return false;
    }
    if (ErrorCode e = platform_.writeFile(name, *bytes)) {
        failures_.push_back("无法写入脚本 " + name + "：" + describeError(e) + "。");
        return false;
    }
    if (ErrorCode e = platform_.launchScript(name, show)) {
        failures_.push_back("无法启动脚本 " + name + "：" + describeError(e) + "。");
        return false;
    }
    return true;
}

void ScriptRun::announce(const std::string& successText) {
    platform_.notify(allHandedOver() ? successText : failureNotice(failures_));
}

std::string failureNotice(const std::vector<std::string>& failures) {
    std::string text = "操作未能全部完成：";
    for (const std::string& f : failures)
        text += "\n" + f;
    return text;
}
