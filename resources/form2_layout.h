// The layout of the logo picker window: every control's kind, caption,
// position (twips, relative to the client area), tab index and colours.
#pragma once

#include "resources/form1_layout.h" // Colour
#include "resources/form2_control.h"

enum class Form2Kind { Form, DriveList, DirList, FileList, TextBox, CommandButton, Image };

struct Form2ControlLayout {
    Form2Control name;
    const char* id; // the layout name as text, e.g. "Drive1"
    Form2Kind kind;
    const char* caption;          // UTF-8
    int left, top, width, height; // twips
    int tabIndex;                 // -1: takes no focus
    Colour back;
    const char* pattern; // file list: the names it shows
    bool stretch;        // image: picture stretched to the control
};

// The whole inventory, indexed by Form2Control.
const Form2ControlLayout& form2LayoutOf(Form2Control c);

struct Form2Layout {
    const char* title;
    int clientWidth, clientHeight; // twips
};
extern const Form2Layout kForm2;

// Child window identifiers: the base plus the control's index.
constexpr int kForm2ControlIdBase = 2000;
