// The controls seam of the logo picker window. The Win32 picker implements
// it over native list boxes; the unit tests over plain fields.
#pragma once

#include "resources/form2_control.h"

#include <string>

class Form2Controls {
public:
    virtual ~Form2Controls() = default;

    // Text of Text1. UTF-8.
    virtual std::string text(Form2Control c) const = 0;
    virtual void setText(Form2Control c, const std::string& utf8) = 0;

    // Drive1: the selected drive ("c:"). Dir1, File1: the folder they show.
    virtual std::string path(Form2Control list) const = 0;
    // Dir1, File1: show that folder. False, and the list unchanged, when it
    // cannot be read (a drive that is not ready, a folder that is gone).
    virtual bool setPath(Form2Control list, const std::string& folder) = 0;
    // File1: the name of the selected file.
    virtual std::string fileName() const = 0;

    // Image1: loads a picture, stretched to the box. False when the file
    // cannot be loaded; the box then keeps what it showed.
    virtual bool loadPicture(Form2Control image, const std::string& path) = 0;

    // Closes the picker once the running handler has returned.
    virtual void unload() = 0;
};
