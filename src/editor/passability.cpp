#include "editor/passability.h"

#include "editor/editor.h"
#include "runtime/engine.h"

namespace tw {

void blockEveryCell(Editor& editor) {
    Engine& engine = editor.engine();
    const int s = engine.screen().currentScene;
    if (!isSceneNumber(s)) return;
    editor.change([&] {
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 1; r <= kGridRows; ++r) engine.record().pass(s, c, r) = kBlockedCell;
        }
    });
}

} // namespace tw
