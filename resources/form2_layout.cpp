// The logo picker window's controls as data.
#include "resources/form2_layout.h"

namespace {

constexpr Colour kNone = Colour::none();
constexpr Colour kWindow = Colour::system(kColorWindow);
constexpr Colour kWhite = Colour::fixed(255, 255, 255);

using K = Form2Kind;
using C = Form2Control;

// clang-format off
const Form2ControlLayout kLayout[] = {
//  name          id          kind              caption
//      left  top   width height tab back     pattern  stretch
    {C::Form2,    "Form2",    K::Form,          "更改 OEM LOGO 图片",
        0,    0,    7410, 3435, -1, kWindow, nullptr, false},
    {C::Drive1,   "Drive1",   K::DriveList,     "",
        0,    0,    1935, 300,   0, kNone,   nullptr, false},
    {C::Dir1,     "Dir1",     K::DirList,       "",
        0,    360,  1935, 2610,  1, kNone,   nullptr, false},
    {C::File1,    "File1",    K::FileList,      "",
        2040, 0,    2055, 2910,  2, kNone,   "*.bmp", false},
    {C::Text1,    "Text1",    K::TextBox,       "Text1",
        0,    3000, 7335, 375,   3, kNone,   nullptr, false},
    {C::Command1, "Command1", K::CommandButton, "返回",
        4440, 120,  1335, 495,   4, kWhite,  nullptr, false},
    {C::Command2, "Command2", K::CommandButton, "确定",
        6000, 120,  1215, 495,   5, kWhite,  nullptr, false},
    {C::Image1,   "Image1",   K::Image,         "",
        4200, 720,  3135, 2175, -1, kNone,   nullptr, true},
};
// clang-format on

static_assert(sizeof(kLayout) / sizeof(kLayout[0]) == kForm2ControlCount,
              "one layout row per control, in the order of the Form2Control enum");

} // namespace

const Form2ControlLayout& form2LayoutOf(Form2Control c) {
    return kLayout[static_cast<int>(c)];
}

const Form2Layout kForm2 = {"更改 OEM LOGO 图片", 7410, 3435};
