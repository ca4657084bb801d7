// The logo picker window's logic: its event handlers, named as its layout
// names them. It reaches its controls only through Form2Controls, the machine
// only through Platform, the user only through UserDialogs, and tells whoever
// opened it when the copy of the chosen logo has been handed over, with the
// chosen path.
#pragma once

#include "app/form2_controls.h"
#include "app/user_dialogs.h"
#include "platform/platform.h"

#include <functional>
#include <string>
#include <utility>

class Form2 {
public:
    using LogoReplaced = std::function<void(const std::string& chosen)>;
    Form2(Form2Controls& controls, Platform& platform, UserDialogs& user, LogoReplaced logoReplaced)
        : ui_(controls), sys_(platform), user_(user), logoReplaced_(std::move(logoReplaced)) {}

    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command1_Click(); // "返回"
    void Command2_Click(); // "确定"

private:
    Form2Controls& ui_;
    Platform& sys_;
    UserDialogs& user_;
    LogoReplaced logoReplaced_;
};
