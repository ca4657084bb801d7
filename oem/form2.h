// The logo picker window's logic: its event handlers, named as its layout
// names them. It reaches its controls only through Form2Controls, the machine
// only through Platform, and tells whoever opened it when the logo has been
// replaced.
#pragma once

#include "oem/form2_controls.h"
#include "platform/platform.h"
#include "script/plan_runner.h"

#include <functional>
#include <utility>

class Form2 {
public:
    // `beforeChange` runs before the logo is replaced (the undo snapshot).
    Form2(Form2Controls& controls, Platform& platform, std::function<void()> logoReplaced,
          BeforeChange beforeChange = {})
        : ui_(controls), sys_(platform), logoReplaced_(std::move(logoReplaced)),
          beforeChange_(std::move(beforeChange)) {}

    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command1_Click(); // "返回"
    void Command2_Click(); // "确定"

private:
    Form2Controls& ui_;
    Platform& sys_;
    std::function<void()> logoReplaced_;
    BeforeChange beforeChange_;
};
