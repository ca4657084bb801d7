// The window's conversation with the user over the Win32 API: message boxes
// owned by the main window, and the shell for addresses.
#pragma once

#include "app/user_dialogs.h"

#include <windows.h>

class Win32Dialogs : public UserDialogs {
public:
    // The window that owns the message boxes.
    void setOwner(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }

    void notify(const std::string& text) override;
    bool ask(const std::string& text) override;
    bool openUrl(const std::string& url) override;

private:
    HWND owner_ = nullptr;
};
