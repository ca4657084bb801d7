// The controls seam: handlers read and change the main window's controls only
// through this interface, by their layout names. The Win32 front end
// implements it over real child windows; the unit tests over plain fields.
#pragma once

#include "resources/form1_control.h"

#include <string>

// Position and size in twips, relative to the control's container.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline bool operator==(const TwipRect& a, const TwipRect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

class Controls {
public:
    virtual ~Controls() = default;

    // Caption of a button, frame, label or check box; text of a text box. UTF-8.
    virtual std::string text(Control c) const = 0;
    virtual void setText(Control c, const std::string& utf8) = 0;

    // Check box: 0 clear, 1 ticked, 2 grey. Option button: 1 selected, 0 not.
    virtual int value(Control c) const = 0;
    virtual void setValue(Control c, int value) = 0;

    virtual bool visible(Control c) const = 0;
    virtual void setVisible(Control c, bool visible) = 0;

    virtual TwipRect rect(Control c) const = 0;
    // Position and size at once: one move of the window, not four.
    virtual void move(Control c, const TwipRect& twips) = 0;

    // Outer size of the window itself (border and title bar included), twips.
    virtual void setFormSize(int widthTwips, int heightTwips) = 0;

    // Image: loads a bitmap file into it. False when the file cannot be
    // loaded as a picture; the image then keeps what it showed before.
    virtual bool loadPicture(Control image, const std::string& path) = 0;
};
