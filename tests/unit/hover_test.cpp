// Hover descriptions and the link label, through the controls seam.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

const std::string kWelcome =
    "欢迎使用系统优化程序，本程序将帮助您减少系统资源占用，从而达到加快系统运行速度的目的。";
const std::string kStartCaption =
    "欢迎使用-系统优化程序，本程序将帮助您减少系统资源占用，从而达到加快系统运行速度的目的。";

// Written out with the escapes of the typographic quotes, so that a plain
// ASCII quote in the program's table cannot pass.
const std::pair<Control, std::string> kExpected[] = {
    {Control::kjfs, "删除桌面快捷方式的\u201C快捷方式\u201D字样和小箭头。"},
    {Control::jsb, "在右键菜单中加入\u201C使用记事本打开\u201D选项。"},
    {Control::gxiang, "删除\u201C我的电脑\u201D中的\u201C共享文档\u201D。"},
    {Control::moren, "按照软件常规优化方式对系统服务进行优化。"},
    {Control::huifu, "恢复XP系统默认的服务状态。"},
    {Control::Command1, "按照您的选择继续下一步的优化。"},
    {Control::Frame2, kWelcome},
    {Control::xtyh, kWelcome},
};

struct Window : FakeWindow {
    std::string description() const { return ui.text(Control::jianjie); }
};

bool hasHoverText(Control c) {
    for (const auto& row : kExpected)
        if (row.first == c)
            return true;
    return false;
}

TEST(Hover, EachOptionPutsItsTextIntoTheDescription) {
    Window w;
    for (const auto& [control, text] : kExpected) {
        w.ui.setText(Control::jianjie, "before");
        w.form.MouseMove(control);
        EXPECT_EQ(w.description(), text) << layoutOf(control).id;
    }
}

TEST(Hover, NoOtherControlChangesTheDescription) {
    Window w;
    w.form.MouseMove(Control::kjfs);
    const std::string shown = w.description();
    for (int i = 0; i < kControlCount; ++i) {
        const Control c = static_cast<Control>(i);
        if (hasHoverText(c))
            continue;
        w.form.MouseMove(c);
        EXPECT_EQ(w.description(), shown) << layoutOf(c).id;
    }
}

TEST(Hover, TheHyphenatedCaptionLastsUntilAFreeAreaIsCrossed) {
    Window w;
    w.form.MouseMove(Control::Frame1);
    w.form.MouseMove(Control::jianjie);
    EXPECT_EQ(w.description(), kStartCaption);
    w.form.MouseMove(Control::kjfs);
    w.form.MouseMove(Control::xtyh);
    EXPECT_EQ(w.description(), kWelcome);
    w.form.MouseMove(Control::jsb);
    EXPECT_EQ(w.description(), kExpected[1].second);
}

TEST(Hover, TheTextSurvivesPanelSwitching) {
    Window w;
    w.form.MouseMove(Control::huifu);
    w.form.gy_Click();
    w.form.MouseMove(Control::gy);
    w.form.MouseMove(Control::Label9);
    w.form.xt_Click();
    EXPECT_EQ(w.description(), kExpected[4].second);
}

TEST(LinkLabel, AClickOpensTheAddressTheLabelShowsAndSaysNothing) {
    Window w;
    w.form.gy_Click();
    w.form.Label9_Click();
    const std::string caption = w.ui.text(Control::Label9);
    const std::string prefix = "官方网站:";
    ASSERT_EQ(caption.compare(0, prefix.size(), prefix), 0);
    const std::string shown = caption.substr(prefix.size());
    EXPECT_EQ(shown.rfind("http://", 0), 0u);
    EXPECT_NE(shown.find(".example.com/"), std::string::npos);
    EXPECT_EQ(w.sys.openedUrls, std::vector<std::string>{shown});
    EXPECT_TRUE(w.sys.notifications.empty());
    EXPECT_TRUE(w.sys.launches.empty());
    EXPECT_TRUE(w.ui.visible(Control::gybcx));
}

} // namespace
