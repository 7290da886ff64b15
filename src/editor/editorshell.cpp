#include "editor/editorshell.h"

#include "editor/canvasediting.h"
#include "canvas/cutting.h"
#include "editor/portals.h"
#include "platform/cursors.h"
#include "runtime/engine.h"

#include <algorithm>

namespace tw {

const char* const kEditorPageCaptions[kEditorPageCount] = {
    "Меню игры", "Аппликатор фона сцены", "Аниматор", "Система",  "Проходимость", "Музон", "Редактор сюжета",
    "Герой",     "Предметы",              "Курсор .ani", "Дверь", "Комикс",       "Сборка", "Инфо"};

void selectPage(Engine& engine, EditorPage page) {
    ScreenState& screen = engine.screen();
    // A placement left half-way leaves nothing; the game keeps its state (walks under way go on when the
    // scene is played again), and only a press no frame tick has seen is forgotten.
    abandonPortalPlacement(engine);
    engine.play().pressPending = false;
    switch (page) {
    case EditorPage::GameMenu:
        screen.screenMode = ScreenMode::Menu;
        break;
    case EditorPage::Applicator:
        screen.screenMode = ScreenMode::Applicator;
        engine.setCanvasCursor(kCursorHidden);
        break;
    case EditorPage::Animator:
        screen.screenMode = ScreenMode::Animator;
        engine.setCanvasCursor(kCursorDefault);
        break;
    case EditorPage::Passability:
        screen.screenMode = ScreenMode::Passability;
        engine.setCanvasCursor(kCursorDefault);
        break;
    case EditorPage::PlotEditor:
        screen.screenMode = ScreenMode::Scene;
        engine.setCanvasCursor(kCursorDefault);
        break;
    default:
        break; // pages that leave the mode as it was
    }

    engine.reloadBackground();
    if (screen.screenMode == ScreenMode::Applicator) {
        engine.loadPicture(engine.paths().stamp(editorState(engine).currentStamp), engine.pictures().stampPicture);
    } else {
        screen.sceneViewOffset = Point{0, 0};
    }
    Pictures& pictures = engine.pictures();
    const int n = editorState(engine).currentItem;
    cutCell(pictures.largeItemStrip, 50, 50, n, pictures.largeItemPicture);
    cutCell(pictures.smallItemStrip, 20, 20, n, pictures.smallItemPicture);
}

void previousScene(Engine& engine) {
    std::uint16_t& scene = engine.screen().currentScene;
    const std::uint16_t was = scene;
    scene = scene <= 1 ? 1 : std::uint16_t(scene - 1);
    if (scene != was) engine.leaveScene();
    engine.reloadBackground();
}

void nextScene(Engine& engine) {
    std::uint16_t& scene = engine.screen().currentScene;
    const int last = usableSceneCount(engine.record());
    const std::uint16_t was = scene;
    scene = scene >= last ? std::uint16_t(last) : std::uint16_t(scene + 1);
    if (scene != was) engine.leaveScene();
    engine.reloadBackground();
}

void goToScene(Engine& engine, int s) {
    std::uint16_t& scene = engine.screen().currentScene;
    const std::uint16_t wanted = std::uint16_t(std::clamp(s, 1, usableSceneCount(engine.record())));
    if (scene != wanted) {
        engine.leaveScene();
        scene = wanted;
    }
    engine.reloadBackground();
}

void armMenuZone(Engine& engine, int k) {
    if (k >= 1 && k <= kMenuZones) editorState(engine).menuZoneBeingSet = k;
}

} // namespace tw
