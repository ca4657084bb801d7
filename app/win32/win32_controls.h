// The controls seam over the main window's real child windows.
#pragma once

#include "app/controls.h"
#include "resources/form1_layout.h"
#include "win32/handles.h"

#include <windows.h>

// Window ID of a control's child window.
inline int controlId(Control c) {
    return kControlIdBase + static_cast<int>(c);
}
// The control of a child window; Control::Count when it is not one of ours.
Control controlOfWindow(HWND window);

class Win32Controls : public Controls {
public:
    // Every control where and as the layout has it, without a window yet.
    Win32Controls();
    // Until a control's window is made, its position, size and visibility
    // are kept here, and the window is made with them; its other properties
    // need the window.
    void attach(Control c, HWND window);
    HWND window(Control c) const { return windows_[static_cast<int>(c)]; }
    int dpi() const { return dpi_; }
    void setDpi(int dpi) { dpi_ = dpi; }
    int toPixels(int twips) const { return MulDiv(twips, dpi_, 1440); }
    // The bitmap that an image shows; the program's own artwork is decoded
    // the first time it is asked for (when it is first drawn, after the
    // window has shown).
    HBITMAP picture(Control c);
    // The program's picture, at the size in pixels that its box has.
    void setArt(Control c, Picture picture, int width, int height);

    std::string text(Control c) const override;
    void setText(Control c, const std::string& utf8) override;
    int value(Control c) const override;
    void setValue(Control c, int value) override;
    bool visible(Control c) const override;
    void setVisible(Control c, bool visible) override;
    TwipRect rect(Control c) const override;
    void move(Control c, const TwipRect& twips) override;
    void setFormSize(int widthTwips, int heightTwips) override;
    bool loadPicture(Control image, const std::string& path) override;

private:
    void setPicture(Control c, HBITMAP bitmap);

    int dpi_ = 96;
    HWND windows_[kControlCount] = {};
    Bitmap pictures_[kControlCount];
    struct PendingArt {
        Picture picture = Picture::None;
        int width = 0;
        int height = 0;
    };
    PendingArt pendingArt_[kControlCount];
    // Positions in twips as the program set them: pixels cannot hold every
    // twip value, and reading back must give what was set.
    TwipRect rects_[kControlCount] = {};
    bool shown_[kControlCount] = {}; // of the controls without a window
};
