#include "oem/oem_values_plan.h"

#include "oem/oem_info_file.h"
#include "oem/oem_paths.h"
#include "platform/cp936.h"
#include "resources/form1_layout.h"
#include "script/error_text.h"

namespace {

// The names the panel gives the four boxes, for messages.
std::string label(Control c) {
    return layoutOf(c).caption;
}

// The manufacturer and model go into a code page 936 file, one line each: a
// character the code page cannot hold would turn into a question mark, and a
// line break would add lines of its own to the file. Either stops the whole
// action. The refusal names the boxes, or nullopt when all is well.
std::optional<std::string> unwritable(const OemValues& values) {
    const std::pair<const std::string*, Control> boxes[] = {{&values.manufacturer, Control::Label4},
                                                            {&values.model, Control::Label3}};
    std::string unencodable;
    std::string broken;
    for (const auto& box : boxes) {
        const std::string name = "“" + label(box.second) + "”";
        if (!toCp936(*box.first))
            unencodable += (unencodable.empty() ? "" : "、") + name;
        if (box.first->find_first_of("\r\n") != std::string::npos)
            broken += (broken.empty() ? "" : "、") + name;
    }
    if (unencodable.empty() && broken.empty())
        return std::nullopt;
    std::string refusal;
    if (!unencodable.empty())
        refusal += unencodable + "中含有无法用 GBK 编码保存的字符，";
    if (!broken.empty())
        refusal += broken + "中含有换行符，";
    return refusal + "OEM信息未作任何修改。";
}

} // namespace

Plan oemValuesPlan(const OemValues& values, const std::string& windowsDir,
                   const CurrentFile& current) {
    if (std::optional<std::string> refusal = unwritable(values))
        return refusedPlan("OEM信息", *refusal);

    Plan plan;
    plan.action = "OEM信息";
    plan.successText = "OEM信息已经更新";
    plan.failureHeading = "OEM信息未能全部更新：";
    plan.administratorHintOnFailure = true;

    // The file keeps everything it holds besides the two keys.
    const std::string path = oemInfoPath(windowsDir);
    OemInfoLines lines;
    std::optional<std::string> fileFailure;
    if (current.bytes) {
        lines = parseOemInfo(*current.bytes);
    } else if (current.readError != kErrorFileNotFound && current.readError != kErrorPathNotFound) {
        // Writing without the old content would lose its other sections.
        fileFailure = "无法读取 " + path + "（" + describeError(current.readError) +
                      "），为免丢失其中的其他内容，该文件未作修改。";
    }
    if (!fileFailure) {
        if (std::optional<std::string> bytes =
                oemInfoBytes(withOemValues(lines, values.manufacturer, values.model))) {
            plan.fileWrites.push_back({path, *bytes});
            plan.files.push_back(path);
        } else {
            fileFailure = path + " 原有的内容含有无法用 GBK 编码保存的字符，该文件未作修改。";
        }
    }
    if (fileFailure)
        plan.knownFailures.push_back(*fileFailure);

    plan.registryWrites.push_back(
        {kOrganizationValue, values.organization, label(Control::Label2)});
    plan.registryWrites.push_back({kOwnerValue, values.owner, label(Control::Label1)});
    for (const PlannedRegistryWrite& write : plan.registryWrites) {
        const std::string::size_type last = write.fullName.rfind('\\');
        plan.registry.push_back({RegistryChange::Kind::SetValue, write.fullName.substr(0, last),
                                 write.fullName.substr(last + 1)});
    }
    return plan;
}

Plan planOemValues(Platform& sys, const OemValues& values) {
    const std::string windowsDir = sys.windowsDirectory();
    CurrentFile current;
    current.bytes = sys.readFile(oemInfoPath(windowsDir), &current.readError);
    return oemValuesPlan(values, windowsDir, current);
}
