#include "oem/oem_panel.h"

#include "oem/oem_info_file.h"
#include "oem/oem_paths.h"

OemPanelValues readOemPanelValues(Platform& sys) {
    OemPanelValues values;
    const std::string windowsDir = sys.windowsDirectory();
    const std::string folder = systemFolder(windowsDir);
    const std::string infoPath = oemInfoPath(windowsDir);
    // A file list shows no hidden, system or differently cased file, so the
    // empty file is only ever created new, never written over one that is
    // there. Once created it holds nothing to show. Otherwise whatever file
    // is there is read; when there is none because it could not be created
    // (no rights to the system folder), the boxes stay empty and nothing is
    // said: looking changes nothing, and applying writes the file later or
    // says why it cannot.
    bool created = false;
    if (!sys.listsFile(folder, kOemInfoName))
        created = sys.createNewFile(infoPath, "\r\n") == 0;
    if (sys.listsFile(folder, kOemLogoName))
        values.logoPath = oemLogoPath(windowsDir);

    values.organization = sys.readRegistryString(kOrganizationValue, nullptr);
    values.owner = sys.readRegistryString(kOwnerValue, nullptr);

    if (created)
        return values;
    if (const std::optional<std::string> bytes = sys.readFile(infoPath, nullptr)) {
        const OemInfoLines lines = parseOemInfo(*bytes);
        values.manufacturer = findOemValue(lines, kManufacturerKey);
        values.model = findOemValue(lines, kModelKey);
    }
    return values;
}
