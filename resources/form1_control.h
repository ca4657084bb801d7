// The controls of the main window, by their layout names.
// The order is the order of the layout table in resources/form1_layout.cpp.
#pragma once

enum class Control {
    Form1,    // the window itself: container of the top-level controls
    Image1,   // banner picture at the top
    Line1,    // line under the banner
    Line2,    // second line under the banner
    xt,       // "系统常规优化" navigation button
    lj,       // "系统垃圾清理" button (junk cleanup)
    oem,      // "定制OEM信息" navigation button
    gy,       // "关于本程序" navigation button
    xtyh,     // routine-optimisation panel (frame)
    oemxx,    // OEM information panel (frame)
    gybcx,    // about panel (frame)
    File1,    // hidden file list box, beyond the client area
    Text5,    // hidden text box
    Frame2,   // "优化方式选择" frame of the two options
    moren,    // option "XP服务项目优化" (optimise)
    huifu,    // option "恢复系统默认服务" (restore the defaults)
    Frame1,   // "选项简介" frame of the description
    jianjie,  // description label (hover texts)
    kjfs,     // tweak box: no shortcut arrow
    jsb,      // tweak box: open with Notepad
    gxiang,   // tweak box: no Shared Documents
    Command1, // "下一步" (run the routine optimisation)
    Image2,   // OEM logo picture
    Label1,   // "系统注册姓名" (registered owner) caption
    Text1,    // registered owner box
    Label2,   // "系统注册组织" (registered organisation) caption
    Text2,    // registered organisation box
    Label3,   // "OEM版本" (model) caption
    Text3,    // OEM版本 (model) box
    Label4,   // "制造商" (manufacturer) caption
    Text4,    // manufacturer box
    Command4, // "更换OEM LOGO图片" (opens the logo picker)
    Command5, // hidden "修改技术支持信息" button
    Command6, // "应用新的OEM信息" (apply the OEM values)
    Image3,   // about picture
    Label5,   // about: author
    Label6,   // about: program name
    Label7,   // about: version
    Label9,   // about: link label
    Label8,   // about: contact line
    Label10,  // about: closing line
    Count
};

constexpr int kControlCount = static_cast<int>(Control::Count);

// The window ID of a control's child window is this base plus its place in the
// enum; tools that inspect the window name the controls by it.
constexpr int kControlIdBase = 1000;
