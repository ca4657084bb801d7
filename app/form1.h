// The main window's logic: its event handlers, named as the window's layout
// names them. Each reads its controls, builds the plan of its action and
// hands it to the runner (app/run_from_window.h); the actions themselves are
// decided in actions/. Handlers reach the controls only through Controls, the
// machine only through Platform and the user only through UserDialogs.
#pragma once

#include "actions/logo_replacement.h"
#include "app/controls.h"
#include "app/user_dialogs.h"
#include "platform/platform.h"
#include "resources/form1_control.h"
#include "services/service_choices.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

class Form1 {
public:
    Form1(Controls& controls, Platform& platform, UserDialogs& user)
        : ui_(controls), sys_(platform), user_(user) {}

    // What opens the OEM logo picker (or brings it to the front); the window
    // that owns the picker sets it.
    void setLogoPickerOpener(std::function<void()> open) { openLogoPicker_ = std::move(open); }

    // Start-up and panel switching.
    void Form_Load();
    void xt_Click();
    void gy_Click();
    void oem_Click();

    // Routine optimisation ("下一步").
    void Command1_Click();
    // Junk cleanup.
    void lj_Click();

    // OEM panel: the logo picker, applying the values.
    void Command4_Click();
    void Command6_Click();
    // The logo picker handed the copy of the chosen picture over to its
    // script; once that has ended, Image2 shows the installed logo.
    void logoCopyStarted(const std::string& chosen);

    // Called by the window every few moments: scripts that have ended since
    // the last call are collected, and the end of the logo copy is acted on.
    void pollScripts();

    // Pointer over a control (hover descriptions) and the link label.
    void MouseMove(Control c);
    void Label9_Click();

    // "确定" of the per-service dialog, with its 17 choices (1: on).
    void ServiceDialog_OK(const ServiceChoices& choices);

private:
    void showPanel(bool about, bool routine, bool oemPanel);
    void logoCopyFinished();

    Controls& ui_;
    Platform& sys_;
    UserDialogs& user_;
    std::function<void()> openLogoPicker_;
    std::optional<ChosenLogo> logoCopy_; // the logo copy still running
};
