// The controls of the main window, by their layout names.
// The order is the order of the layout table in resources/form1_layout.cpp.
#pragma once

enum class Control {
    Form1, // the window itself: container of the top-level controls
    Image1,
    Line1,
    Line2,
    xt,
    lj,
    oem,
    gy,
    xtyh,
    oemxx,
    gybcx,
    File1,
    Text5,
    Frame2,
    moren,
    huifu,
    Frame1,
    jianjie,
    kjfs,
    jsb,
    gxiang,
    Command1,
    Image2,
    Label1,
    Text1,
    Label2,
    Text2,
    Label3,
    Text3,
    Label4,
    Text4,
    Command4,
    Command5,
    Command6,
    Image3,
    Label5,
    Label6,
    Label7,
    Label9,
    Label8,
    Label10,
    Count
};

constexpr int kControlCount = static_cast<int>(Control::Count);

// The window ID of a control's child window is this base plus its place in the
// enum; tools that inspect the window name the controls by it.
constexpr int kControlIdBase = 1000;
