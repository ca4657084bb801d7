#include "actions/oem_values.h"

#include "oem/oem_info_file.h"
#include "oem/oem_paths.h"
#include "oem/oem_text_rule.h"
#include "resources/form1_layout.h"
#include "script/error_text.h"

namespace {

// The names the panel gives the four boxes, for messages.
std::string label(Control c) {
    return layoutOf(c).caption;
}

// A value the OEM text rule refuses stops the whole action; the refusal
// names the boxes, each fault in a sentence of its own, or nullopt when all
// is well.
std::optional<std::string> unwritable(const OemValues& values) {
    const struct {
        const std::optional<std::string>* text;
        OemField field;
        Control label;
    } boxes[] = {{&values.owner, OemField::Owner, Control::Label1},
                 {&values.organization, OemField::Organization, Control::Label2},
                 {&values.manufacturer, OemField::Manufacturer, Control::Label4},
                 {&values.model, OemField::Model, Control::Label3}};
    std::string outsideGbk, broken, control, invalid;
    const auto add = [](std::string& list, const std::string& name) {
        list += (list.empty() ? "" : "、") + name;
    };
    for (const auto& box : boxes) {
        if (!*box.text)
            continue;
        const std::optional<OemTextFaults> faults = oemTextFaults(box.field, **box.text);
        if (!faults)
            continue;
        const std::string name = "“" + label(box.label) + "”";
        if (faults->unencodable)
            add(inOemFile(box.field) ? outsideGbk : invalid, name);
        if (faults->lineBreak)
            add(broken, name);
        if (faults->controlCharacter)
            add(control, name);
    }
    if (outsideGbk.empty() && broken.empty() && control.empty() && invalid.empty())
        return std::nullopt;
    std::string refusal;
    if (!outsideGbk.empty())
        refusal += outsideGbk + "中含有无法用 GBK 编码保存的字符，";
    if (!broken.empty())
        refusal += broken + "中含有换行符，";
    if (!control.empty())
        refusal += control + "中含有制表符等控制字符，";
    if (!invalid.empty())
        refusal += invalid + "中含有无效的 Unicode 字符，";
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

    if (values.inFile()) {
        // The file keeps everything it holds besides the two keys, and the
        // key not given keeps its value.
        const std::string path = oemInfoPath(windowsDir);
        OemInfoLines lines;
        std::optional<std::string> fileFailure;
        if (current.bytes) {
            lines = parseOemInfo(*current.bytes);
        } else if (current.readError != kErrorFileNotFound &&
                   current.readError != kErrorPathNotFound) {
            // Writing without the old content would lose its other sections.
            fileFailure = "无法读取 " + path + "（" + describeError(current.readError) +
                          "），为免丢失其中的其他内容，该文件未作修改。";
        }
        if (!fileFailure) {
            const auto valueOf = [&](const std::optional<std::string>& given, const char* key) {
                return given ? *given : findOemValue(lines, key).value_or(std::string());
            };
            if (std::optional<std::string> bytes = oemInfoBytes(
                    withOemValues(lines, valueOf(values.manufacturer, kManufacturerKey),
                                  valueOf(values.model, kModelKey)))) {
                plan.fileWrites.push_back({path, *bytes});
                plan.files.push_back(path);
            } else {
                fileFailure = path + " 原有的内容含有无法用 GBK 编码保存的字符，该文件未作修改。";
            }
        }
        if (fileFailure)
            plan.knownFailures.push_back(*fileFailure);
    }

    if (values.organization)
        plan.registryWrites.push_back(
            {kOrganizationValue, *values.organization, label(Control::Label2)});
    if (values.owner)
        plan.registryWrites.push_back({kOwnerValue, *values.owner, label(Control::Label1)});
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
    if (values.inFile())
        current.bytes = sys.readFile(oemInfoPath(windowsDir), &current.readError);
    return oemValuesPlan(values, windowsDir, current);
}
