// Descriptions shown in jianjie when the pointer moves over an option of the
// routine-optimisation panel. Every move sets the text again, even when it
// already shows; a move over any control not in the table leaves it alone.
#include "app/form1.h"

namespace {

// The welcome text that the free areas bring back. Unlike jianjie's caption in
// the layout it has no hyphen after "欢迎使用".
constexpr const char* kWelcome =
    "欢迎使用系统优化程序，本程序将帮助您减少系统资源占用，从而达到加快系统运行速度的目的。";

struct HoverText {
    Control control;
    const char* text; // UTF-8; the quotation marks are U+201C and U+201D
};

const HoverText kHoverTexts[] = {
    {Control::kjfs, "删除桌面快捷方式的“快捷方式”字样和小箭头。"},
    {Control::jsb, "在右键菜单中加入“使用记事本打开”选项。"},
    {Control::gxiang, "删除“我的电脑”中的“共享文档”。"},
    {Control::moren, "按照软件常规优化方式对系统服务进行优化。"},
    {Control::huifu, "恢复XP系统默认的服务状态。"},
    {Control::Command1, "按照您的选择继续下一步的优化。"},
    // The free areas of the option frame and of the panel itself.
    {Control::Frame2, kWelcome},
    {Control::xtyh, kWelcome},
};

} // namespace

void Form1::MouseMove(Control c) {
    for (const HoverText& row : kHoverTexts) {
        if (row.control == c) {
            ui_.setText(Control::jianjie, row.text);
            return;
        }
    }
}
