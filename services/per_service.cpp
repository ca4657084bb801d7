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

ScriptLines xiangxiLines(const ServiceChoiceValues& choices) {
    ScriptLines lines;
    for (int i = 0; i < kServiceChoiceCount; ++i) {
        const ServiceChoice& choice = kServiceChoices[i];
        const bool on = choices[i] == 1;
        for (int l = 0; l < choice.lineCount(); ++l) {
            const ServiceLine& line = choice.lines[l];
            const ModeAndBlanks& mode = on ? line.whenOn : line.whenOff;
            lines.push_back(serviceConfigLine(line.service, mode.mode, mode.blanksAtEnd));
        }
    }
    lines.push_back(std::string("del ") + kScript);
    return lines;
}

} // namespace

void Form1::xiangxiyouhua(const ServiceChoices& choices) {
    const bool notepad = ui_.value(Control::jsb) == 1;
    const bool sharedDocs = ui_.value(Control::gxiang) == 1;

    std::vector<std::string> scripts = {kScript};
    if (notepad)
        scripts.push_back(kNotepadScript.name);
    if (sharedDocs)
        scripts.push_back(kSharedDocsScript.name);
    if (!scripts_.mayChangeSystem(scripts))
        return;

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
