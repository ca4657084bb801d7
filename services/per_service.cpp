// The per-service optimisation: "xiangxi.bat" sets each service of the 17
// choices to start automatically when its choice is on and disables it (or,
// for some, leaves it to start on demand) when it is off; then the Notepad
// verb and the Shared Documents removal follow when their boxes are ticked.
#include "app/form1.h"

#include "services/service_choices.h"

namespace {

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
    lines.push_back("del xiangxi.bat");
    return lines;
}

} // namespace

void Form1::xiangxiyouhua(const ServiceChoices& choices) {
    scripts_.begin();
    scripts_.run("xiangxi.bat", xiangxiLines(choices), ShowState::Hidden);
    if (ui_.value(Control::jsb) == 1)
        jishiben();
    if (ui_.value(Control::gxiang) == 1)
        guxiang();
    scripts_.announce("系统已经优化完毕");
    // Offered from the system menu, this can run while another panel is
    // shown; the routine panel replaces it rather than lying over it.
    showPanel(false, true, false);
}
