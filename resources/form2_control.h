// The controls of the logo picker window, by their layout names, in the
// order of its layout table (resources/form2_layout.cpp).
#pragma once

enum class Form2Control {
    Form2, // the window itself
    Drive1,
    Dir1,
    File1,
    Text1,
    Command1,
    Command2,
    Image1,
    Count
};

constexpr int kForm2ControlCount = static_cast<int>(Form2Control::Count);
