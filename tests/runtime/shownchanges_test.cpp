#include "editor/canvasediting.h"
#include "canvas/shownpicture.h"
#include "editor/editorshell.h"
#include "make-demo/demotree.h"
#include "platform/filesystem.h"
#include "runtime/engine.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <random>

namespace tw::test {

namespace {

// An engine on a project tree on disk, with its own seeded random numbers.
struct DiskEngine {
    DiskFileSystem disk;
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    FakeFileDialogs dialogs;
    SeededRandom random{5};
    Engine engine;
    CanvasEditing editing{engine};
    explicit DiskEngine(const QString& root)
        : engine(AssetPaths(root.toStdString()), Services{disk, messages, audio, cursors, random, dialogs}) {}
};

// The ticks redraw and show only what changed: a play frame puts the background back only where the frame
// before drew, the overlay leaves a still screen alone, and the window copies only the part a tick names.
// None of it may be visible. Under the same random input (play, page changes, trails, placing modes, menu
// zones and passability edits) an engine whose canvas is redrawn whole on every tick draws the same
// pictures, and the copy of what was shown always equals the canvas.
TEST(ShownChanges, MatchAWholeRedrawUnderRandomInput) {
    QTemporaryDir dir;
    QString error;
    ASSERT_EQ(demo::writeDemoTree({dir.path(), QCoreApplication::applicationFilePath()}, &error),
              demo::DemoResult::Written)
        << error.toStdString();
    DiskEngine lean(dir.path());
    DiskEngine whole(dir.path());
    ASSERT_TRUE(lean.engine.startUp());
    ASSERT_TRUE(whole.engine.startUp());
    ShownPicture shown;
    shown.update(lean.engine.canvas());

    std::mt19937 random(3);
    auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const EditorPage pages[] = {EditorPage::PlotEditor, EditorPage::PlotEditor,  EditorPage::PlotEditor,
                                EditorPage::GameMenu,   EditorPage::Passability, EditorPage::Music};
    int repaintedTicks = 0;
    for (int tick = 0; tick < 3000; ++tick) {
        // One input, given to both engines alike.
        const int what = pick(0, 40);
        const int x = pick(0, 1008);
        const int y = pick(0, 699);
        const EditorPage page = pages[pick(0, 5)];
        const int c = pick(1, kGridColumns);
        const int r = pick(1, kGridRows);
        for (Engine* engine : {&lean.engine, &whole.engine}) {
            EditorState& editor = editorState(*engine);
            switch (what) {
            case 0:
                selectPage(*engine, page);
                break;
            case 1:
                editor.trailsShown = !editor.trailsShown;
                break;
            case 2:
                editor.portalPick = editor.portalPick == 0 ? 1 : 0;
                break;
            case 3:
                editor.doorCellArmed = !editor.doorCellArmed;
                break;
            case 4:
                armMenuZone(*engine, 1 + x % kMenuZones);
                break;
            case 5: {
                std::uint16_t& cell = engine->record().pass(engine->screen().currentScene, c, r);
                cell = cell < kBlockedCell ? kBlockedCell : 0;
                break;
            }
            case 6:
                nextScene(*engine);
                break;
            case 7:
                previousScene(*engine);
                break;
            case 8:
            case 9:
            case 10:
                engine->mouseDown(MouseButton::Left, x, y);
                break;
            case 11:
                engine->mouseDown(MouseButton::Left, x, y % 60);
                break; // the item panel and the bag
            case 12:
            case 13:
                engine->mouseUp();
                break;
            default:
                engine->mouseMove(x, what % 2 ? y : y % 100, 699);
                break;
            }
        }
        // The whole engine's canvas counts as drawn over before every tick, so it is redrawn whole.
        whole.engine.canvas().bits();
        const ChangedArea frame = lean.engine.frameTick();
        whole.engine.frameTick();
        ASSERT_TRUE(lean.engine.canvas() == whole.engine.canvas()) << "frame tick " << tick;
        const ChangedArea framed =
            frame.isEmpty() ? shown.update(lean.engine.canvas()) : shown.update(lean.engine.canvas(), frame);
        ASSERT_TRUE(shown.copy() == lean.engine.canvas()) << "shown after frame tick " << tick;

        whole.engine.canvas().bits();
        const Rect overlay = lean.engine.overlayTick();
        whole.engine.overlayTick();
        ASSERT_TRUE(lean.engine.canvas() == whole.engine.canvas()) << "overlay tick " << tick;
        const ChangedArea overlaid = overlay.isEmpty() ? shown.update(lean.engine.canvas())
                                                   : shown.update(lean.engine.canvas(), overlay);
        ASSERT_TRUE(shown.copy() == lean.engine.canvas()) << "shown after overlay tick " << tick;
        repaintedTicks += !framed.isEmpty() || !overlaid.isEmpty();
    }
    // The run did show things, and not on every tick.
    EXPECT_GT(repaintedTicks, 100);
    EXPECT_LT(repaintedTicks, 3000);
}

} // namespace
} // namespace tw::test
