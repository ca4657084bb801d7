// The window's conversation with the user: its message boxes, its questions
// and the browser. The handlers tell and ask through this alone; the machine
// (Platform) tells and asks no one.
#pragma once

#include <string>

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // Modal message box: the text, the title "提示", the OK button alone, no icon.
    virtual void notify(const std::string& text) = 0;
    // Modal question titled "提示" with Yes and No; true for Yes.
    virtual bool ask(const std::string& text) = 0;
    // Opens an address in the default browser.
    virtual bool openUrl(const std::string& url) = 0;
};
