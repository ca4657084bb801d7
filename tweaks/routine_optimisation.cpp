// The click of "下一步" and the routine optimisation: optimise (the ticked
// Explorer tweaks, then the recommended service start modes) or restore the
// default service start modes, then one message.
#include "app/form1.h"
#include "services/service_tables.h"
#include "tweaks/tweak_scripts.h"

#include <vector>

namespace {

const char kOptimised[] = "系统已经优化成功";
const char kRestored[] = "系统服务已经恢复为默认";
const char kNeedsAdministrator[] =
    "需要管理员权限才能更改系统服务和注册表，请以管理员身份运行本程序。";
const char kStillRunning[] = "上一次的优化仍在进行中，请稍候再试。";

// A check box counts only when ticked (1); clear (0) and grey (2) do not.
bool ticked(const Controls& ui, Control box) {
    return ui.value(box) == 1;
}
bool selected(const Controls& ui, Control option) {
    return ui.value(option) != 0;
}

// The scripts that a click with the current choices writes, in launch order.
std::vector<const char*> scriptsOfClick(const Controls& ui) {
    std::vector<const char*> names;
    if (selected(ui, Control::moren)) {
        if (ticked(ui, Control::kjfs))
            names.push_back(kShortcutScript.name);
        if (ticked(ui, Control::jsb))
            names.push_back(kNotepadScript.name);
        if (ticked(ui, Control::gxiang))
            names.push_back(kSharedDocsScript.name);
        names.push_back(kOptimisedServicesScript);
    }
    if (selected(ui, Control::huifu))
        names.push_back(kDefaultServicesScript);
    return names;
}

} // namespace

void Form1::Command1_Click() {
    const std::vector<const char*> scripts = scriptsOfClick(ui_);
    if (scripts.empty())
        return; // neither option selected: nothing to do, nothing to say

    // The service and registry changes fail without administrator rights;
    // saying "optimised" after scripts that must fail would be false.
    if (!sys_.isAdministrator()) {
        sys_.notify(kNeedsAdministrator);
        return;
    }
    // A second click while a script of the previous click still runs would
    // rewrite that script under its command interpreter. Rather than wait,
    // this click writes and launches nothing and says so; the user clicks
    // again once the previous run has ended.
    for (const char* name : scripts) {
        if (sys_.isScriptRunning(name)) {
            sys_.notify(kStillRunning);
            return;
        }
    }

    // Two tests of their own, not one if/else: exactly one option is selected.
    if (selected(ui_, Control::moren)) {
        scripts_.begin();
        morenyouhua();
        scripts_.announce(kOptimised);
    }
    if (selected(ui_, Control::huifu)) {
        scripts_.begin();
        huifufuwu();
        scripts_.announce(kRestored);
    }
}

// In this fixed order: the ticked tweaks, then always the service modes.
void Form1::morenyouhua() {
    if (ticked(ui_, Control::kjfs))
        kjfshi();
    if (ticked(ui_, Control::jsb))
        jishiben();
    if (ticked(ui_, Control::gxiang))
        guxiang();
    fuwuyouhua();
}
