#include "oem/oem_panel.h"

#include "oem/oem_info_file.h"
#include "oem/oem_paths.h"

OemPanelValues readOemPanelValues(Platform& sys) {
    OemPanelValues values;
    const std::string windowsDir = sys.windowsDirectory();
    const std::string folder = systemFolder(windowsDir);
    const std::string infoPath = oemInfoPath(windowsDir);
    if (!sys.listsFile(folder, kOemInfoName))
        sys.createNewFile(infoPath, "\r\n");
    if (sys.listsFile(folder, kOemLogoName))
        values.logoPath = oemLogoPath(windowsDir);

    values.organization = sys.readRegistryString(kOrganizationValue, nullptr);
    values.owner = sys.readRegistryString(kOwnerValue, nullptr);

    if (const std::optional<std::string> bytes = sys.readFile(infoPath, nullptr)) {
        const OemInfoLines lines = parseOemInfo(*bytes);
        values.manufacturer = findOemValue(lines, kManufacturerKey);
        values.model = findOemValue(lines, kModelKey);
    }
    return values;
}
