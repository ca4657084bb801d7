// The about panel's link label. A click opens the address that the label
// shows in the default browser; a failure there is the shell's to report.
// (The hand cursor over the label is set by the window itself.)
#include "app/form1.h"

#include "resources/about_texts.h"

void Form1::Label9_Click() {
    user_.openUrl(kAboutLinkAddress);
}
