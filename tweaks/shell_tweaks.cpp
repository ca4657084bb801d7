#include "tweaks/shell_tweaks.h"

#include "tweaks/tweak_scripts.h"

namespace {

Plan tweakPiece(const TweakScript& tweak) {
    Plan piece;
    piece.scripts.push_back({tweak.name, tweak.lines, ShowState::Hidden});
    piece.registry = tweak.changes;
    return piece;
}

} // namespace

Plan kjfshi() {
    return tweakPiece(kShortcutScript);
}

Plan jishiben() {
    return tweakPiece(kNotepadScript);
}

Plan guxiang() {
    return tweakPiece(kSharedDocsScript);
}
