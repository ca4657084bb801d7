// The main window's logic on the fakes, loaded: its controls, and the
// machine and the user's side of the conversation (both the FakePlatform).
#pragma once

#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"

struct FakeWindow {
    FakeControls ui;
    FakePlatform sys;
    Form1 form{ui, sys, sys};
    FakeWindow() { form.Form_Load(); }
};
