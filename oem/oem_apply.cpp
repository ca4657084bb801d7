// Applying the OEM information: the manufacturer and model into the OEM
// information file, the owner and organisation into the registry.
#include "app/form1.h"

#include "oem/oem_info_file.h"
#include "oem/oem_paths.h"
#include "platform/cp936.h"
#include "script/error_text.h"

#include <optional>
#include <string>
#include <vector>

namespace {

// Sets the two keys in the file and keeps everything else it holds. Returns
// why the file was left unchanged, or nullopt when it was written.
std::optional<std::string> writeOemInfo(Platform& sys, const std::string& path,
                                        const std::string& manufacturer, const std::string& model) {
    ErrorCode readError = 0;
    const std::optional<std::string> old = sys.readFile(path, &readError);
    OemInfoLines lines;
    if (old) {
        lines = parseOemInfo(*old);
    } else if (readError != kErrorFileNotFound && readError != kErrorPathNotFound) {
        // Writing without the old content would lose its other sections.
        return "无法读取 " + path + "（" + describeError(readError) +
               "），为免丢失其中的其他内容，该文件未作修改。";
    }
    const std::optional<std::string> bytes =
        oemInfoBytes(withOemValues(lines, manufacturer, model));
    if (!bytes)
        return path + " 原有的内容含有无法用 GBK 编码保存的字符，该文件未作修改。";
    if (ErrorCode e = sys.writeFile(path, *bytes))
        return "无法写入 " + path + "：" + describeError(e) + "。";
    return std::nullopt;
}

std::string registryFailure(const char* value, const std::string& label, ErrorCode e) {
    return "无法写入注册表值 " + std::string(value) + "（" + label + "）：" + describeError(e) +
           "。";
}

} // namespace

void Form1::Command6_Click() {
    // The file is in code page 936: a character it cannot hold would turn
    // into a question mark, so such a text stops the whole action.
    std::string refused;
    for (auto box : {std::pair<Control, Control>{Control::Text4, Control::Label4},
                     std::pair<Control, Control>{Control::Text3, Control::Label3}}) {
        if (!toCp936(ui_.text(box.first)))
            refused += (refused.empty() ? "" : "、") + ("“" + ui_.text(box.second) + "”");
    }
    if (!refused.empty()) {
        sys_.notify(refused + "中含有无法用 GBK 编码保存的字符，OEM信息未作任何修改。");
        return;
    }

    const std::string windowsDir = sys_.windowsDirectory();
    std::vector<std::string> failures;
    if (auto failure = writeOemInfo(sys_, oemInfoPath(windowsDir), ui_.text(Control::Text4),
                                    ui_.text(Control::Text3)))
        failures.push_back(*failure);
    if (ErrorCode e = sys_.writeRegistryString(kOrganizationValue, ui_.text(Control::Text2)))
        failures.push_back(registryFailure("RegisteredOrganization", ui_.text(Control::Label2), e));
    if (ErrorCode e = sys_.writeRegistryString(kOwnerValue, ui_.text(Control::Text1)))
        failures.push_back(registryFailure("RegisteredOwner", ui_.text(Control::Label1), e));

    if (failures.empty()) {
        sys_.notify("OEM信息已经更新");
        return;
    }
    std::string notice = "OEM信息未能全部更新：";
    for (const std::string& f : failures)
        notice += "\n" + f;
    if (!sys_.isAdministrator())
        notice += "\n修改这些信息需要管理员权限，请以管理员身份运行本程序。";
    sys_.notify(notice);
}
