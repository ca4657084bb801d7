// The main window's control inventory as data.
#include "resources/form1_layout.h"

#include "resources/about_texts.h"
#include "velkor_version.h"

namespace {

constexpr Colour kNone = Colour::none();
constexpr Colour kWindow = Colour::system(kColorWindow);
constexpr Colour kWindowText = Colour::system(kColorWindowText);
constexpr Colour kCaptionText = Colour::system(kColorCaptionText);
constexpr Colour kWhite = Colour::fixed(255, 255, 255);
constexpr Colour kBlue = Colour::fixed(0, 0, 255);
constexpr Colour kRed = Colour::fixed(255, 0, 0);
constexpr Colour kMagenta = Colour::fixed(255, 0, 255);

using K = ControlKind;
using C = Control;
using P = Picture;

// clang-format off
const ControlLayout kLayout[] = {
//  name         id          kind              in         caption
//      left  top   width height tab visible value back          text          picture    stretch link  autosize
    {C::Form1,   "Form1",    K::Form,          C::Form1,  "Velkor 系统优化程序",
        0,    0,    10650, 8385, -1, true,  0, kWindow,      kWindowText, P::None,   false, false, false},
    {C::Image1,  "Image1",   K::Image,         C::Form1,  "",
        0,    0,    6000,  1065, -1, true,  0, kNone,        kNone,       P::Banner, false, false, false},
    {C::Line1,   "Line1",    K::Line,          C::Form1,  "",
        0,    1080, 6000,  1080, -1, true,  0, kNone,        kWindowText, P::None,   false, false, false},
    {C::Line2,   "Line2",    K::Line,          C::Form1,  "",
        0,    1440, 6000,  1440, -1, true,  0, kNone,        kWindowText, P::None,   false, false, false},
    {C::xt,      "xt",       K::CommandButton, C::Form1,  "系统常规优化",
        0,    1080, 1695,  375,   0, true,  0, kCaptionText, kWindowText, P::None,   false, false, false},
    {C::lj,      "lj",       K::CommandButton, C::Form1,  "系统垃圾清理",
        1680, 1080, 1455,  375,   1, true,  0, kCaptionText, kWindowText, P::None,   false, false, false},
    {C::oem,     "oem",      K::CommandButton, C::Form1,  "定制OEM信息",
        3120, 1080, 1575,  375,   2, true,  0, kCaptionText, kWindowText, P::None,   false, false, false},
    {C::gy,      "gy",       K::CommandButton, C::Form1,  "关于本程序",
        4680, 1080, 1335,  375,   3, true,  0, kCaptionText, kWindowText, P::None,   false, false, false},
    {C::xtyh,    "xtyh",     K::Frame,         C::Form1,  "系统常规优化",
        0,    1560, 6015,  2895,  4, true,  0, kWindow,      kWindowText, P::None,   false, false, false},
    {C::oemxx,   "oemxx",    K::Frame,         C::Form1,  "OEM信息定制",
        0,    4560, 6015,  2895, 13, true,  0, kWindow,      kWindowText, P::None,   false, false, false},
    {C::gybcx,   "gybcx",    K::Frame,         C::Form1,  "关于本程序",
        5040, 2640, 6015,  2895, 25, false, 0, kWindow,      kWindowText, P::None,   false, false, false},
    {C::File1,   "File1",    K::FileList,      C::Form1,  "",
        7080, 1560, 495,   810,  34, true,  0, kNone,        kNone,       P::None,   false, false, false},
    {C::Text5,   "Text5",    K::TextBox,       C::Form1,  "Text5",
        480,  7680, 855,   270,  32, false, 0, kNone,        kNone,       P::None,   false, false, false},
    {C::Frame2,  "Frame2",   K::Frame,         C::xtyh,   "优化方式选择",
        120,  240,  2535,  1215,  7, true,  0, kWindow,      kWindowText, P::None,   false, false, false},
    {C::moren,   "moren",    K::OptionButton,  C::Frame2, "XP服务项目优化",
        360,  360,  1815,  255,   8, true,  1, kWindow,      kWindowText, P::None,   false, false, false},
    {C::huifu,   "huifu",    K::OptionButton,  C::Frame2, "恢复系统默认服务",
        360,  720,  1815,  255,   9, true,  0, kWindow,      kWindowText, P::None,   false, false, false},
    {C::Frame1,  "Frame1",   K::Frame,         C::xtyh,   "选项简介",
        2760, 240,  3135,  1695,  5, true,  0, kWindow,      kWindowText, P::None,   false, false, false},
    {C::jianjie, "jianjie",  K::Label,         C::Frame1,
        "欢迎使用-系统优化程序，本程序将帮助您减少系统资源占用，从而达到加快系统运行速度的目的。",
        120,  360,  2895,  1215,  6, true,  0, kWindow,      kWindowText, P::None,   false, false, false},
    {C::kjfs,    "kjfs",     K::CheckBox,      C::xtyh,   "删除快捷方式的小箭头",
        120,  1560, 2295,  255,  33, true,  1, kWindow,      kWindowText, P::None,   false, false, false},
    {C::jsb,     "jsb",      K::CheckBox,      C::xtyh,   "在右键菜单中加入\"记事本\"选项",
        120,  2040, 3135,  255,  10, true,  1, kWindow,      kWindowText, P::None,   false, false, false},
    {C::gxiang,  "gxiang",   K::CheckBox,      C::xtyh,   "删除\"我的电脑\"中的共享文件",
        120,  2520, 3015,  255,  11, true,  1, kWindow,      kWindowText, P::None,   false, false, false},
    {C::Command1, "Command1", K::CommandButton, C::xtyh,  "下一步",
        4200, 2400, 1695,  375,  12, true,  0, kWhite,       kWindowText, P::None,   false, false, false},
    {C::Image2,  "Image2",   K::Image,         C::oemxx,  "",
        120,  360,  2295,  1935, -1, true,  0, kNone,        kNone,       P::None,   true,  false, false},
    {C::Label1,  "Label1",   K::Label,         C::oemxx,  "系统注册姓名",
        2520, 480,  1095,  255,  14, true,  0, kNone,        kWindowText, P::None,   false, false, false},
    {C::Text1,   "Text1",    K::TextBox,       C::oemxx,  "Text1",
        3720, 360,  2175,  375,  15, true,  0, kNone,        kNone,       P::None,   false, false, false},
    {C::Label2,  "Label2",   K::Label,         C::oemxx,  "系统注册组织",
        2520, 960,  1095,  255,  16, true,  0, kNone,        kWindowText, P::None,   false, false, false},
    {C::Text2,   "Text2",    K::TextBox,       C::oemxx,  "Text2",
        3720, 840,  2175,  375,  17, true,  0, kNone,        kNone,       P::None,   false, false, false},
    {C::Label3,  "Label3",   K::Label,         C::oemxx,  "OEM版本",
        2520, 1440, 855,   255,  18, true,  0, kNone,        kWindowText, P::None,   false, false, false},
    {C::Text3,   "Text3",    K::TextBox,       C::oemxx,  "Text3",
        3240, 1320, 2655,  375,  19, true,  0, kNone,        kNone,       P::None,   false, false, false},
    {C::Label4,  "Label4",   K::Label,         C::oemxx,  "制造商",
        2520, 1920, 615,   255,  20, true,  0, kNone,        kWindowText, P::None,   false, false, false},
    {C::Text4,   "Text4",    K::TextBox,       C::oemxx,  "Text4",
        3240, 1800, 2655,  390,  21, true,  0, kNone,        kNone,       P::None,   false, false, false},
    {C::Command4, "Command4", K::CommandButton, C::oemxx, "更换OEM LOGO图片",
        120,  2400, 1815,  375,  22, true,  0, kWhite,       kWindowText, P::None,   false, false, false},
    {C::Command5, "Command5", K::CommandButton, C::oemxx, "修改技术支持信息",
        2160, 2400, 1815,  375,  23, false, 0, kWhite,       kWindowText, P::None,   false, false, false},
    {C::Command6, "Command6", K::CommandButton, C::oemxx, "应用新的OEM信息",
        4200, 2400, 1695,  375,  24, true,  0, kWhite,       kWindowText, P::None,   false, false, false},
    {C::Image3,  "Image3",   K::Image,         C::gybcx,  "",
        120,  240,  2100,  1695, -1, true,  0, kNone,        kNone,       P::About,  true,  false, false},
    {C::Label5,  "Label5",   K::Label,         C::gybcx,  "程序作者:Tamsel",
        2280, 240,  2175,  255,  26, true,  0, kNone,        kBlue,       P::None,   false, false, false},
    {C::Label6,  "Label6",   K::Label,         C::gybcx,  "程序名称:系统优化程序",
        2280, 720,  3495,  255,  27, true,  0, kNone,        kBlue,       P::None,   false, false, false},
    {C::Label7,  "Label7",   K::Label,         C::gybcx,  "程序版本:" VELKOR_VERSION,
        2280, 1200, 3135,  255,  28, true,  0, kNone,        kBlue,       P::None,   false, false, false},
    {C::Label9,  "Label9",   K::Label,         C::gybcx,  kAboutLinkCaption,
        2280, 1680, 2250,  180,  30, true,  0, kNone,        kRed,        P::None,   false, true,  true},
    {C::Label8,  "Label8",   K::Label,         C::gybcx,  kAboutContactCaption,
        720,  2160, 4695,  255,  29, true,  0, kNone,        kBlue,       P::None,   false, false, false},
    {C::Label10, "Label10",  K::Label,         C::gybcx,  "本程序适用于XP系统，打造您自己的个性XP系统。",
        840,  2520, 4455,  375,  31, true,  0, kNone,        kMagenta,    P::None,   false, false, false},
};
// clang-format on

static_assert(sizeof(kLayout) / sizeof(kLayout[0]) == kControlCount,
              "one layout row per control, in the order of the Control enum");

} // namespace

const ControlLayout& layoutOf(Control c) {
    return kLayout[static_cast<int>(c)];
}

const FormLayout kForm1 = {"Velkor 系统优化程序", 10650, 8385, 6120, 4850};
