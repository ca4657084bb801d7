// The controls seam over plain fields, starting from the window layout.
#pragma once

#include "app/controls.h"
#include "resources/form1_layout.h"

#include <map>
#include <string>
#include <vector>

class FakeControls : public Controls {
public:
    struct State {
        std::string text;
        int value = 0;
        bool visible = true;
        TwipRect rect;
        std::string picture; // path of the last picture loaded
    };

    FakeControls() {
        for (int i = 0; i < kControlCount; ++i) {
            const ControlLayout& l = layoutOf(static_cast<Control>(i));
            State& s = states_[i];
            s.text = l.caption;
            s.value = l.value;
            s.visible = l.visible;
            s.rect = {l.left, l.top, l.width, l.height};
        }
    }

    State& at(Control c) { return states_[static_cast<int>(c)]; }
    const State& at(Control c) const { return states_[static_cast<int>(c)]; }

    std::string text(Control c) const override { return at(c).text; }
    void setText(Control c, const std::string& t) override { at(c).text = t; }
    int value(Control c) const override { return at(c).value; }
    void setValue(Control c, int v) override {
        at(c).value = v;
        // Option buttons of one frame exclude each other.
        if (v == 1 && (c == Control::moren || c == Control::huifu))
            at(c == Control::moren ? Control::huifu : Control::moren).value = 0;
    }
    bool visible(Control c) const override { return at(c).visible; }
    void setVisible(Control c, bool v) override {
        at(c).visible = v;
        visibilityLog.push_back({c, v});
    }
    TwipRect rect(Control c) const override { return at(c).rect; }
    void move(Control c, const TwipRect& r) override { at(c).rect = r; }
    void setFormSize(int w, int h) override {
        formWidth = w;
        formHeight = h;
    }
    bool loadPicture(Control c, const std::string& path) override {
        if (unloadablePictures.count(path))
            return false;
        at(c).picture = path;
        return true;
    }

    int formWidth = 0;
    int formHeight = 0;
    std::map<std::string, bool> unloadablePictures;
    std::vector<std::pair<Control, bool>> visibilityLog;

private:
    State states_[kControlCount];
};
