// The OEM panel and the values currently installed on the machine.
#include "app/form1.h"

#include "oem/oem_info_file.h"
#include "oem/oem_paths.h"

namespace {

// True when File1 lists an entry of exactly this name (same case).
bool listed(const Controls& ui, const char* name) {
    bool found = false;
    const int count = ui.listCount(Control::File1);
    for (int i = 0; i < count; ++i) // the walk always runs to the last entry
        if (ui.listItem(Control::File1, i) == name)
            found = true;
    return found;
}

} // namespace

void Form1::oem_Click() {
    showPanel(false, false, true);
    for (Control box : {Control::Text1, Control::Text2, Control::Text3, Control::Text4})
        ui_.setText(box, "");

    const std::string windowsDir = sys_.windowsDirectory();
    ui_.setPath(Control::File1, systemFolder(windowsDir));

    // A file that is hidden, or whose name differs in case, is not listed but
    // exists: creating only a new file keeps it from being emptied.
    const std::string infoPath = oemInfoPath(windowsDir);
    if (!listed(ui_, kOemInfoName))
        sys_.createNewFile(infoPath, "\r\n");

    if (listed(ui_, kOemLogoName))
        ui_.loadPicture(Control::Image2, oemLogoPath(windowsDir));

    // A value that cannot be read leaves its own box empty.
    if (auto organization = sys_.readRegistryString(kOrganizationValue, nullptr))
        ui_.setText(Control::Text2, *organization);
    if (auto owner = sys_.readRegistryString(kOwnerValue, nullptr))
        ui_.setText(Control::Text1, *owner);

    const std::optional<std::string> bytes = sys_.readFile(infoPath, nullptr);
    if (!bytes)
        return;
    const OemInfoLines lines = parseOemInfo(*bytes);
    if (auto manufacturer = findOemValue(lines, kManufacturerKey))
        ui_.setText(Control::Text4, *manufacturer);
    if (auto model = findOemValue(lines, kModelKey))
        ui_.setText(Control::Text3, *model);
}
