// The handlers that change the system: each reads its controls, builds its
// plan and hands it to the runner, which asks the plan's question, takes the
// machine's change claim and saves an undo snapshot before the first change
// (all but the junk cleanup, whose deletions cannot be undone).
#include "app/form1.h"

#include "actions/junk_cleanup.h"
#include "actions/oem_values.h"
#include "actions/per_service.h"
#include "actions/restore_defaults.h"
#include "actions/routine_optimisation.h"
#include "app/run_from_window.h"
#include "oem/fuzhi_script.h"

namespace {

// A check box counts only when ticked (1); clear (0) and grey (2) do not.
bool ticked(const Controls& ui, Control box) {
    return ui.value(box) == 1;
}
bool selected(const Controls& ui, Control option) {
    return ui.value(option) != 0;
}

} // namespace

void Form1::Command1_Click() {
    // Two tests of their own, not one if/else: exactly one option is
    // selected, and with neither nothing is done and nothing said.
    if (selected(ui_, Control::moren))
        runFromWindow(sys_, user_,
                      morenyouhua({ticked(ui_, Control::kjfs), ticked(ui_, Control::jsb),
                                   ticked(ui_, Control::gxiang)}));
    if (selected(ui_, Control::huifu))
        runFromWindow(sys_, user_, restoreDefaultsPlan());
}

void Form1::ServiceDialog_OK(const ServiceChoices& choices) {
    const Plan plan =
        perServicePlan(choices, ticked(ui_, Control::jsb), ticked(ui_, Control::gxiang));
    if (runFromWindow(sys_, user_, plan) == RunOutcome::Refused)
        return;
    // Offered from the system menu, this can run while another panel is
    // shown; the routine panel replaces it rather than lying over it.
    showPanel(false, true, false);
}

// The console of the script is all the user sees of a successful run; the
// visible panel stays as it is.
void Form1::lj_Click() {
    runFromWindow(sys_, user_, junkCleanupPlan(sys_.windowsDirectory()));
}

void Form1::Command6_Click() {
    runFromWindow(sys_, user_,
                  planOemValues(sys_, {ui_.text(Control::Text1), ui_.text(Control::Text2),
                                       ui_.text(Control::Text4), ui_.text(Control::Text3)}));
}

// The platform deletes each ended script, which its guard kept from deleting
// itself; the end of the logo copy shows the new logo.
void Form1::pollScripts() {
    for (const std::string& name : sys_.finishedScripts())
        if (name == kFuzhiScript)
            logoCopyFinished();
}
