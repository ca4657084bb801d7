// The logo picker's controls seam over plain fields.
#pragma once

#include "app/form2_controls.h"
#include "resources/form2_layout.h"

#include <set>
#include <string>
#include <vector>

class FakeForm2Controls : public Form2Controls {
public:
    FakeForm2Controls() { text1 = form2LayoutOf(Form2Control::Text1).caption; }

    std::string text(Form2Control) const override { return text1; }
    void setText(Form2Control, const std::string& t) override { text1 = t; }

    std::string path(Form2Control list) const override {
        switch (list) {
        case Form2Control::Drive1:
            return drive;
        case Form2Control::Dir1:
            return dirPath;
        default:
            return filePath;
        }
    }
    bool setPath(Form2Control list, const std::string& folder) override {
        events.push_back(std::string("path ") + form2LayoutOf(list).id + " " + folder);
        if (unreadable.count(folder))
            return false;
        (list == Form2Control::Dir1 ? dirPath : filePath) = folder;
        return true;
    }
    std::string fileName() const override { return selectedFile; }

    bool loadPicture(Form2Control, const std::string& path) override {
        if (unloadablePictures.count(path))
            return false;
        preview = path;
        return true;
    }

    void unload() override {
        events.push_back("unload");
        unloaded = true;
    }

    // --- state ---
    std::string text1;
    std::string drive = "c:";
    std::string dirPath = "C:\\work";
    std::string filePath = "C:\\work";
    std::string selectedFile;
    std::string preview; // path of the last picture loaded into Image1
    std::set<std::string> unreadable;
    std::set<std::string> unloadablePictures;
    bool unloaded = false;
    std::vector<std::string> events;
};
