// The layout of the main window: every control's kind, container, caption,
// position (twips, relative to its container), tab index, colours and start
// state. This table is the one place where the window's controls are given.
#pragma once

#include "resources/form1_control.h"

#include <cstdint>

enum class ControlKind {
    Form,
    Image,
    Line,
    CommandButton,
    Frame,
    FileList,
    TextBox,
    OptionButton,
    CheckBox,
    Label
};

// A colour is either a system colour (by its COLOR_* index) or a fixed RGB value.
struct Colour {
    bool isSystem;
    int systemIndex;
    std::uint32_t rgb; // 0x00BBGGRR, as COLORREF

    static constexpr Colour none() { return {false, -1, 0xFFFFFFFFu}; }
    static constexpr Colour system(int index) { return {true, index, 0}; }
    static constexpr Colour fixed(int r, int g, int b) {
        return {false, -1, static_cast<std::uint32_t>(r | (g << 8) | (b << 16))};
    }
    constexpr bool isNone() const { return !isSystem && rgb == 0xFFFFFFFFu; }
};

// System colour indices (the values of the platform's COLOR_* constants).
constexpr int kColorWindow = 5;
constexpr int kColorWindowText = 8;
constexpr int kColorCaptionText = 9;

enum class Picture { None, Banner, About };

struct ControlLayout {
    Control name;
    const char* id; // the layout name as text, e.g. "xt"
    ControlKind kind;
    Control container;
    const char* caption;          // UTF-8
    int left, top, width, height; // twips; a line uses them as x1, y1, x2, y2
    int tabIndex;                 // -1: takes no focus
    bool visible;                 // visibility in the layout
    int value;                    // start value: check box 0/1, option button 1 when selected
    Colour back;
    Colour text;
    Picture picture;
    bool stretch;  // image: picture stretched to the control
    bool linkFont; // the link label's own font (SimSun 9 pt, underlined)
    bool autoSize; // label sizes itself to its text
};

// The whole inventory, indexed by Control.
const ControlLayout& layoutOf(Control c);

// The window itself.
struct FormLayout {
    const char* title;
    int layoutClientWidth, layoutClientHeight; // twips, as the layout is drawn
    int outerWidth, outerHeight;               // twips, set by the load step
};
extern const FormLayout kForm1;
