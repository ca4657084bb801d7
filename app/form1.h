// The main window's logic: its event handlers and private procedures, named
// as the window's layout names them. Handlers reach the controls only through
// Controls and the machine only through Platform.
//
// The handlers live beside what they do: app/ (load, panels, hover texts,
// link label), tweaks/ (routine optimisation), services/ (service scripts),
// cleanup/ (junk cleanup), oem/ (OEM panel and apply).
#pragma once

#include "app/control.h"
#include "app/controls.h"
#include "platform/platform.h"
#include "script/script_runner.h"

#include <array>

class Form1 {
public:
    Form1(Controls& controls, Platform& platform)
        : ui_(controls), sys_(platform), scripts_(platform) {}

    // Start-up and panel switching.
    void Form_Load();
    void xt_Click();
    void gy_Click();
    void oem_Click();
    void lj_Click();

    // Routine optimisation.
    void Command1_Click();

    // OEM panel.
    void Command4_Click();
    void Command6_Click();

    // Pointer over a control (hover descriptions) and the link label.
    void MouseMove(Control c);
    void Label9_Click();

    // The per-service optimisation with its 17 choices (1: on).
    using ServiceChoices = std::array<int, 17>;
    void xiangxiyouhua(const ServiceChoices& choices);

private:
    // Each writes and launches its script into scripts_, the scripts of the
    // action under way; the handler that began the action announces it.
    void morenyouhua();
    void fuwuyouhua();
    void huifufuwu();
    void kjfshi();
    void jishiben();
    void guxiang();

    void showPanel(bool about, bool routine, bool oemPanel);

    Controls& ui_;
    Platform& sys_;
    ScriptRun scripts_;
};
