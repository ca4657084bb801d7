// The per-service optimisation: the bytes of "xiangxi.bat" against a fixture
// written by hand from the service table, choice by choice, the panel it ends
// on, and which choices start ticked. Which scripts follow it and its guards
// are script_actions_test's.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "script_fixture.h"
#include "services/service_choices.h"
#include "services/service_scripts.h"

#include <gtest/gtest.h>

namespace {

// The choice (1-17) that governs each line of "xiangxi.bat"; 0 for the last
// line, which is written whatever the choices.
const int kChoiceOfLine[21] = {1, 2,  3,  3,  4,  5,  5,  6,  7,  8, 8,
                               9, 10, 11, 12, 13, 14, 15, 16, 17, 0};

const std::vector<std::string>& linesWhenOn() {
    static const std::vector<std::string> lines = fixtureLines("xiangxi.bat-on");
    return lines;
}
const std::vector<std::string>& linesWhenOff() {
    static const std::vector<std::string> lines = fixtureLines("xiangxi.bat-off");
    return lines;
}

std::string expectedScript(const ServiceChoices& choices) {
    std::string bytes;
    for (int i = 0; i < 21; ++i) {
        const int choice = kChoiceOfLine[i];
        const bool on = choice == 0 || choices[choice - 1] == 1;
        bytes += (on ? linesWhenOn() : linesWhenOff())[i] + "\r\n"; // all ASCII
    }
    return bytes;
}

std::vector<std::string> scriptLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t crlf; (crlf = bytes.find("\r\n", start)) != std::string::npos; start = crlf + 2)
        lines.push_back(bytes.substr(start, crlf - start));
    EXPECT_EQ(start, bytes.size()) << "the last line ends in CR LF";
    return lines;
}

ServiceChoices all(int value) {
    ServiceChoices c;
    c.fill(value);
    return c;
}

struct Window : FakeWindow {
    const FakePlatform::Launch& xiangxi() const {
        static const FakePlatform::Launch none{};
        for (const auto& l : sys.launches)
            if (l.name == "xiangxi.bat")
                return l;
        ADD_FAILURE() << "xiangxi.bat was not launched";
        return none;
    }
};

TEST(XiangxiFixture, BothHaveTwentyOneLines) {
    ASSERT_EQ(linesWhenOn().size(), 21u);
    ASSERT_EQ(linesWhenOff().size(), 21u);
}

// Each line of the script depends on one choice alone: every choice on among
// all off, and off among all on, shows each line in both of its states next to
// the others in the opposite state.
TEST(Xiangxi, EachChoiceSetsItsOwnLinesAndNoOther) {
    for (int i = 0; i < 17; ++i) {
        for (int value : {0, 1}) {
            ServiceChoices choices = all(1 - value);
            choices[static_cast<size_t>(i)] = value;
            const Plan piece = xiangxiyouhua(choices);
            ASSERT_EQ(piece.scripts.size(), 1u);
            EXPECT_EQ(scriptBytes(piece.scripts[0].lines), expectedScript(choices))
                << "choice " << i + 1 << " at " << value;
        }
    }
}

// What the plan says it sets is what its lines set, service by service.
TEST(Xiangxi, ThePlanNamesTheModeOfEveryLine) {
    ServiceChoices choices = all(0);
    for (int i = 0; i < 17; i += 2)
        choices[static_cast<size_t>(i)] = 1;
    const Plan piece = xiangxiyouhua(choices);
    const ScriptLines& lines = piece.scripts.at(0).lines;
    ASSERT_EQ(piece.services.size() + 1, lines.size());
    for (size_t i = 0; i < piece.services.size(); ++i) {
        const ServiceChange& change = piece.services[i];
        const char* mode = change.mode == StartMode::Auto     ? "AUTO"
                           : change.mode == StartMode::Demand ? "DEMAND"
                                                              : "DISABLED";
        EXPECT_EQ(lines[i].rfind("sc config   " + change.service + " start= " + mode, 0), 0u)
            << lines[i];
    }
}

TEST(Xiangxi, AllOnAllOffAndTheGreyValue) {
    Window on, off, grey;
    on.form.ServiceDialog_OK(all(1));
    off.form.ServiceDialog_OK(all(0));
    grey.form.ServiceDialog_OK(all(2)); // only 1 counts as on
    expectScriptBytes("xiangxi.bat-on", on.xiangxi().bytesAtLaunch);
    expectScriptBytes("xiangxi.bat-off", off.xiangxi().bytesAtLaunch);

    const auto count = [](const std::vector<std::string>& lines, const std::string& mode) {
        int n = 0;
        for (const auto& l : lines)
            n += l.find(" start= " + mode) != std::string::npos;
        return n;
    };
    const auto onLines = scriptLines(on.xiangxi().bytesAtLaunch);
    EXPECT_EQ(count(onLines, "AUTO"), 20);
    const auto offLines = scriptLines(off.xiangxi().bytesAtLaunch);
    EXPECT_EQ(count(offLines, "DISABLED"), 17);
    EXPECT_EQ(count(offLines, "DEMAND"), 3);
    EXPECT_EQ(offLines[12], "sc config   PolicyAgent start= DEMAND  ");
    EXPECT_EQ(grey.xiangxi().bytesAtLaunch, off.xiangxi().bytesAtLaunch);
    EXPECT_EQ(onLines.back(), "del xiangxi.bat");
}

TEST(Xiangxi, TheLaterOfChoices15And16DecidesFastUserSwitching) {
    Window w;
    ServiceChoices c = all(0);
    c[14] = 1; // choice 15 on, choice 16 off
    w.form.ServiceDialog_OK(c);
    const auto lines = scriptLines(w.xiangxi().bytesAtLaunch);
    EXPECT_EQ(lines[17], "sc config   FastUserSwitchingCompatibility start= AUTO ");
    EXPECT_EQ(lines[18], "sc config   FastUserSwitchingCompatibility start= DEMAND ");
}

TEST(Xiangxi, EndsOnTheRoutinePanelAlone) {
    for (int panel = 0; panel < 3; ++panel) {
        Window w;
        if (panel == 1)
            w.form.gy_Click();
        if (panel == 2)
            w.form.oem_Click();
        w.ui.visibilityLog.clear();
        w.form.ServiceDialog_OK(all(1));
        ASSERT_FALSE(w.ui.visibilityLog.empty());
        EXPECT_TRUE(w.ui.visible(Control::xtyh));
        EXPECT_FALSE(w.ui.visible(Control::gybcx));
        EXPECT_FALSE(w.ui.visible(Control::oemxx));
    }
}

TEST(Xiangxi, AScriptThatCannotBeWrittenIsReportedAndTheRestStillRuns) {
    Window w;
    w.sys.writeFailures["xiangxi.bat"] = kErrorAccessDenied;
    w.form.ServiceDialog_OK(all(1));
    EXPECT_EQ(w.sys.launchedNames(), (std::vector<std::string>{"jsb.bat", "gx.bat"}));
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    EXPECT_NE(w.sys.notifications[0].find("xiangxi.bat"), std::string::npos);
    EXPECT_TRUE(w.ui.visible(Control::xtyh));
}

TEST(ServiceChoices, StartTickedWhenAServiceStartsAutomaticallyOrNothingCanBeRead) {
    FakePlatform sys; // nothing readable
    EXPECT_EQ(currentServiceChoices(sys), all(1));

    sys.services = {{"Themes", StartMode::Auto},
                    {"Spooler", StartMode::Disabled},
                    // choice 3: one of two automatic
                    {"SharedAccess", StartMode::Auto},
                    {"ALG", StartMode::Demand},
                    // choice 5: neither automatic
                    {"Dhcp", StartMode::Demand},
                    {"Dnscache", StartMode::Boot},
                    // choice 8: one unreadable, the other disabled
                    {"wuauserv", StartMode::Disabled},
                    {"FastUserSwitchingCompatibility", StartMode::Demand}};
    const ServiceChoices v = currentServiceChoices(sys);
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1], 0);
    EXPECT_EQ(v[2], 1);
    EXPECT_EQ(v[4], 0);
    EXPECT_EQ(v[7], 0);
    EXPECT_EQ(v[14], 0);
    EXPECT_EQ(v[15], 0);
    EXPECT_EQ(v[16], 1); // Browser unreadable
}

TEST(ServiceChoices, EachChoiceIsNamedAndDescribed) {
    for (const ServiceChoice& c : kServiceChoices) {
        EXPECT_NE(std::string(c.name), "");
        EXPECT_NE(std::string(c.description), "");
    }
    EXPECT_NE(std::string(kServiceChoices[1].description).find("打印"), std::string::npos);
}

} // namespace
