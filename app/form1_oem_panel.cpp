// The OEM panel: its values as the machine stands, the logo picker, and the
// end of the logo copy.
#include "app/form1.h"

#include "oem/oem_panel.h"
#include "oem/oem_paths.h"

void Form1::oem_Click() {
    showPanel(false, false, true);
    for (Control box : {Control::Text1, Control::Text2, Control::Text3, Control::Text4})
        ui_.setText(box, "");
    const OemPanelValues values = readOemPanelValues(sys_);
    if (values.logoPath)
        ui_.loadPicture(Control::Image2, *values.logoPath);
    const std::pair<const std::optional<std::string>*, Control> boxes[] = {
        {&values.organization, Control::Text2},
        {&values.owner, Control::Text1},
        {&values.manufacturer, Control::Text4},
        {&values.model, Control::Text3},
    };
    for (const auto& box : boxes)
        if (*box.first)
            ui_.setText(box.second, **box.first);
}

void Form1::Command4_Click() {
    if (openLogoPicker_)
        openLogoPicker_();
}

void Form1::logoCopyStarted(const std::string& chosen) {
    logoCopy_ = readChosenLogo(sys_, chosen);
}

// Image2 shows what is installed now; a copy that did not take is said.
void Form1::logoCopyFinished() {
    if (!logoCopy_)
        return;
    const ChosenLogo chosen = *logoCopy_;
    logoCopy_.reset();
    ui_.loadPicture(Control::Image2, oemLogoPath(sys_.windowsDirectory()));
    if (std::optional<std::string> failure = logoCopyFailure(sys_, chosen))
        user_.notify(*failure);
}
