// The per-service optimisation: "xiangxi.bat" sets each service of the 17
// choices to start automatically when its choice is on and disables it (or,
// for some, leaves it to start on demand) when it is off; then the Notepad
// verb and the Shared Documents removal follow when their boxes are ticked.
#include "app/form1.h"

#include "services/service_choices.h"
#include "tweaks/tweak_scripts.h"

namespace {

const char kScript[] = "xiangxi.bat";
const char kDone[] = "系统已经优化完毕";
const char kNeedsAdministrator[] =
    "需要管理员权限才能更改系统服务和注册表，请以管理员身份运行本程序。";
const char kStillRunning[] = "上一次的优化仍在进行中，请稍候再试。";

ScriptLines xiangxiLines(const ServiceChoiceValues& choices) {
    ScriptLines lines;
    for (int i = 0; i < kServiceChoiceCount; ++i) {
        const ServiceChoice& choice = kServiceChoices[i];
        const bool on = choices[i] == 1;
        for (int l = 0; l < choice.lineCount(); ++l) {
            const ServiceLine& line = choice.lines[l];
            lines.push_back(std::string("sc config   ") + line.service +
                            " start= " + (on ? line.whenOn : line.whenOff));
        }
    }
    lines.push_back(std::string("del ") + kScript);
    return lines;
}

} // namespace

void Form1::xiangxiyouhua(const ServiceChoices& choices) {
    const bool notepad = ui_.value(Control::jsb) == 1;
    const bool sharedDocs = ui_.value(Control::gxiang) == 1;

    // Without administrator rights every sc line fails in its hidden console;
    // announcing the optimisation as done would be false.
    if (!sys_.isAdministrator()) {
        sys_.notify(kNeedsAdministrator);
        return;
    }
    // Rewriting a script that still runs would change the lines its command
    // interpreter has not read yet; this run then writes nothing at all.
    if (sys_.isScriptRunning(kScript) || (notepad && sys_.isScriptRunning(kNotepadScript.name)) ||
        (sharedDocs && sys_.isScriptRunning(kSharedDocsScript.name))) {
        sys_.notify(kStillRunning);
        return;
    }

    scripts_.begin();
    scripts_.run(kScript, xiangxiLines(choices), ShowState::Hidden);
    if (notepad)
        jishiben();
    if (sharedDocs)
        guxiang();
    scripts_.announce(kDone);
    // Offered from the system menu, this can run while another panel is
    // shown; the routine panel replaces it rather than lying over it.
    showPanel(false, true, false);
}
