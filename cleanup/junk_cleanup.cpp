// Junk cleanup in a visible console.
#include "app/form1.h"
#include "cleanup/junk_script.h"

// The console of the script is all the user sees of a successful run; the
// visible panel stays as it is.
void Form1::lj_Click() {
    // A second click while the earlier console is still open would rewrite the
    // script under the interpreter that is reading it: show that console instead.
    if (sys_.isScriptRunning(kJunkScriptName)) {
        sys_.bringScriptToFront(kJunkScriptName);
        return;
    }
    scripts_.begin();
    if (!scripts_.run(kJunkScriptName, junkScriptLines(sys_.windowsDirectory()),
                      ShowState::Visible))
        sys_.notify(failureNotice(scripts_.failures()));
}
