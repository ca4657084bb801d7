// Start-up and panel switching through the controls seam.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"

#include <gtest/gtest.h>

namespace {

const TwipRect kPanel = {0, 1560, 6015, 2895};

struct Window : FakeWindow {
    int visiblePanels() const {
        return ui.visible(Control::xtyh) + ui.visible(Control::oemxx) + ui.visible(Control::gybcx);
    }
};

TEST(Form1Load, SizesTheWindowAndStacksThePanels) {
    Window w;
    EXPECT_EQ(w.ui.formWidth, 6120);
    EXPECT_EQ(w.ui.formHeight, 4850);
    EXPECT_TRUE(w.ui.visible(Control::xtyh));
    EXPECT_FALSE(w.ui.visible(Control::oemxx));
    EXPECT_FALSE(w.ui.visible(Control::gybcx));
    for (Control panel : {Control::xtyh, Control::oemxx, Control::gybcx})
        EXPECT_EQ(w.ui.rect(panel), kPanel);
}

TEST(Form1Panels, EachButtonShowsItsPanelInAFixedOrder) {
    Window w;
    w.ui.visibilityLog.clear();
    w.form.gy_Click();
    EXPECT_TRUE(w.ui.visible(Control::gybcx));
    EXPECT_EQ(w.visiblePanels(), 1);
    // about first, then routine, then OEM
    ASSERT_EQ(w.ui.visibilityLog.size(), 3u);
    EXPECT_EQ(w.ui.visibilityLog[0].first, Control::gybcx);
    EXPECT_EQ(w.ui.visibilityLog[1].first, Control::xtyh);
    EXPECT_EQ(w.ui.visibilityLog[2].first, Control::oemxx);
    w.form.xt_Click();
    EXPECT_TRUE(w.ui.visible(Control::xtyh));
    EXPECT_EQ(w.visiblePanels(), 1);
}

TEST(Form1Panels, AnySequenceLeavesExactlyOnePanelAtTheSameRectangle) {
    Window w;
    // Every sequence of up to four presses of xt, gy, oem.
    const char buttons[] = {'x', 'g', 'o'};
    for (int length = 1; length <= 4; ++length) {
        int combos = 1;
        for (int i = 0; i < length; ++i)
            combos *= 3;
        for (int code = 0; code < combos; ++code) {
            int rest = code;
            char last = 'x';
            for (int i = 0; i < length; ++i) {
                last = buttons[rest % 3];
                rest /= 3;
                if (last == 'x')
                    w.form.xt_Click();
                else if (last == 'g')
                    w.form.gy_Click();
                else
                    w.form.oem_Click();
            }
            ASSERT_EQ(w.visiblePanels(), 1);
            Control expected = last == 'x'   ? Control::xtyh
                               : last == 'g' ? Control::gybcx
                                             : Control::oemxx;
            ASSERT_TRUE(w.ui.visible(expected));
            for (Control panel : {Control::xtyh, Control::oemxx, Control::gybcx})
                ASSERT_EQ(w.ui.rect(panel), kPanel);
        }
    }
}

TEST(Form1Panels, ValuesSurviveSwitching) {
    Window w;
    w.ui.setValue(Control::jsb, 0);
    w.ui.setValue(Control::huifu, 1);
    w.ui.setText(Control::jianjie, "x");
    w.form.gy_Click();
    w.form.xt_Click();
    EXPECT_EQ(w.ui.value(Control::jsb), 0);
    EXPECT_EQ(w.ui.value(Control::huifu), 1);
    EXPECT_EQ(w.ui.value(Control::moren), 0);
    EXPECT_EQ(w.ui.text(Control::jianjie), "x");
}

TEST(Form1Panels, SwitchingTouchesNothingOnTheMachine) {
    Window w;
    w.form.gy_Click();
    w.form.xt_Click();
    EXPECT_TRUE(w.sys.events.empty());
}

} // namespace
