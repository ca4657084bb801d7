// The three Explorer tweaks: each writes its script and launches it hidden.
#include "app/form1.h"
#include "tweaks/tweak_scripts.h"

void Form1::kjfshi() {
    scripts_.run(kShortcutScript.name, kShortcutScript.lines, ShowState::Hidden);
}

void Form1::jishiben() {
    scripts_.run(kNotepadScript.name, kNotepadScript.lines, ShowState::Hidden);
}

void Form1::guxiang() {
    scripts_.run(kSharedDocsScript.name, kSharedDocsScript.lines, ShowState::Hidden);
}
