// The routine-optimisation scripts beyond their fixtures (compared in
// script_actions_test.cpp): Chinese text as GBK bytes written out by hand,
// the shape of a service line, and the service tables.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "script_fixture.h"
#include "services/service_tables.h"

#include <gtest/gtest.h>

namespace {

struct Window : FakeWindow {
    const FakePlatform::Launch& launched(const std::string& name) const {
        for (const FakePlatform::Launch& l : sys.launches)
            if (l.name == name)
                return l;
        throw std::runtime_error(name + " was not launched");
    }
};

TEST(RoutineScripts, ChineseTextReachesTheFilesAsGbk) {
    Window w;
    w.form.Command1_Click();
    // 快捷方式 in GBK, then the closing quote and CR LF.
    EXPECT_NE(
        w.launched("kuaijie.bat").bytesAtLaunch.find("@=\"\xBF\xEC\xBD\xDD\xB7\xBD\xCA\xBD\"\r\n"),
        std::string::npos);
    // 用"记事本"打开 in GBK.
    EXPECT_NE(w.launched("jsb.bat").bytesAtLaunch.find(
                  "\\\xD3\xC3\"\xBC\xC7\xCA\xC2\xB1\xBE\"\xB4\xF2\xBF\xAA]\r\n"),
              std::string::npos);
}

TEST(ServiceLine, HasThreeBlanksAfterConfigAndKeepsTrailingBlanks) {
    EXPECT_EQ(serviceConfigLine("Browser", StartMode::Disabled, 0),
              "sc config   Browser start= DISABLED");
    EXPECT_EQ(serviceConfigLine("DcomLaunch", StartMode::Auto, 2),
              "sc config   DcomLaunch start= AUTO  ");
    EXPECT_EQ(serviceConfigLine("RSVP", StartMode::Demand, 1), "sc config   RSVP start= DEMAND ");
}

TEST(ServiceTables, OptimisingNeverNamesRsvpOrWuauservAndSetsDcomLaunchTwice) {
    int dcom = 0;
    for (const ServiceRow& r : kOptimisedServices) {
        EXPECT_STRNE(r.service, "RSVP");
        EXPECT_STRNE(r.service, "wuauserv");
        dcom += std::string(r.service) == "DcomLaunch";
    }
    EXPECT_EQ(dcom, 2);
}

} // namespace
