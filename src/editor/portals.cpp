#include "editor/portals.h"

#include "editor/canvasediting.h"
#include "runtime/engine.h"

#include <algorithm>

namespace tw {
namespace {

// Shows scene s. Leaving the scene shown cancels the orders under way (play).
void showScene(Engine& engine, int s) {
    ScreenState& screen = engine.screen();
    if (screen.currentScene == s) return;
    engine.leaveScene();
    screen.currentScene = std::uint16_t(s);
}

bool isPortalNumber(int k) { return k >= 1 && k <= kPortalsPerScene; }

} // namespace

bool armPortalPlacement(Engine& engine, int k) {
    const bool moved = abandonPortalPlacement(engine);
    if (!isPortalNumber(k)) return moved;
    EditorState& editor = editorState(engine);
    editor.portalPick = 1;
    editor.portalScene = engine.screen().currentScene;
    editor.portalNumber = k;
    return moved;
}

int chooseTargetScene(Engine& engine, int scene) {
    const int s = std::clamp(scene, 1, usableSceneCount(engine.record()));
    showScene(engine, s);
    engine.reloadBackground();
    return s;
}

void armArrivalPick(Engine& engine) {
    EditorState& editor = editorState(engine);
    editor.portalPick = 2;
    editor.targetChooserVisible = false;
}

bool abandonPortalPlacement(Engine& engine) {
    EditorState& editor = editorState(engine);
    // Past the portal cell the canvas may show the target scene; the portal's own scene is where the
    // author started, and where the hero is.
    const bool pastTheCell = editor.targetChooserVisible || editor.portalPick == 2;
    editor.portalPick = 0;
    editor.targetChooserVisible = false;
    const int home = editor.portalScene;
    if (!pastTheCell || !isSceneNumber(home) || home > usableSceneCount(engine.record()) ||
        home == engine.screen().currentScene)
        return false;
    showScene(engine, home);
    return true;
}

void removePortal(ProjectRecord& record, int s, int k) {
    if (!isSceneNumber(s) || !isPortalNumber(k)) return;
    Portal& portal = record.scene(s).portal(k);
    portal.col = 0;
    portal.row = 0;
}

} // namespace tw
