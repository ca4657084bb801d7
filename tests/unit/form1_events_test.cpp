// Which clicks run which handlers.
#include "app/form1.h"
#include "app/form1_events.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

namespace {

TEST(ClickTable, NavigationButtonsSwitchPanels) {
    FakeControls ui;
    FakePlatform sys;
    Form1 form(ui, sys, sys);
    form.Form_Load();
    EXPECT_TRUE(dispatchClick(form, Control::gy));
    EXPECT_TRUE(ui.visible(Control::gybcx));
    EXPECT_TRUE(dispatchClick(form, Control::xt));
    EXPECT_TRUE(ui.visible(Control::xtyh));
    EXPECT_FALSE(ui.visible(Control::gybcx));
}

TEST(ClickTable, ControlsWithoutAClickActionAreNotHandled) {
    FakeControls ui;
    FakePlatform sys;
    Form1 form(ui, sys, sys);
    for (Control c : {Control::Command5, Control::jianjie, Control::Label5, Control::Image3,
                      Control::xtyh, Control::kjfs, Control::moren})
        EXPECT_FALSE(dispatchClick(form, c));
    EXPECT_TRUE(sys.events.empty());
}

} // namespace
