#include "oem/form2.h"

#include "oem/fuzhi_script.h"
#include "oem/oem_paths.h"
#include "platform/cp936.h"

#include <optional>

namespace {

// The chosen path as the script can carry it: itself when code page 936 can
// hold it, otherwise its short name, which can.
std::optional<std::string> scriptablePath(Platform& sys, const std::string& path) {
    if (toCp936(path))
        return path;
    std::optional<std::string> shortName = sys.shortPath(path);
    if (shortName && toCp936(*shortName))
        return shortName;
    return std::nullopt;
}

} // namespace

void Form2::Form_Load() {
    ui_.setText(Form2Control::Text1, "");
}

// Setting the path of Dir1 raises its change: a new drive updates the
// folders and then the files.
void Form2::Drive1_Change() {
    if (ui_.setPath(Form2Control::Dir1, ui_.path(Form2Control::Drive1)))
        Dir1_Change();
}

void Form2::Dir1_Change() {
    ui_.setPath(Form2Control::File1, ui_.path(Form2Control::Dir1));
}

void Form2::File1_Click() {
    ui_.setText(Form2Control::Text1, ui_.path(Form2Control::File1) + "\\" + ui_.fileName());
    ui_.loadPicture(Form2Control::Image1, ui_.text(Form2Control::Text1));
}

void Form2::Command1_Click() {
    ui_.unload();
}

void Form2::Command2_Click() {
    const std::string windowsDir = sys_.windowsDirectory();
    const std::string chosen = ui_.text(Form2Control::Text1);
    // Without a file to copy the script would only strip the installed
    // logo's attributes; the picker stays open for another choice.
    if (chosen.empty() || !sys_.fileExists(chosen)) {
        sys_.notify("请先选择一个存在的图片文件。");
        return;
    }
    const std::optional<std::string> source = scriptablePath(sys_, chosen);
    if (!source) {
        sys_.notify("所选文件的路径含有无法用 GBK 编码表示的字符，且没有可用的短文件名，"
                    "无法复制。请将文件改名或移到其他文件夹后再试。");
        return;
    }
    scripts_.begin();
    if (!scripts_.run(kFuzhiScript, fuzhiLines(windowsDir, *source), ShowState::Hidden)) {
        sys_.notify(failureNotice(scripts_.failures()));
        return;
    }
    if (Controls* main = ui_.mainWindow()) {
        main->loadPicture(Control::Image2, oemLogoPath(windowsDir));
        ui_.showMainWindow();
    }
    ui_.unload();
}
