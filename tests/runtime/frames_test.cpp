// The frames the engine draws on the demo, for every scene and every screen, with the game's texts on
// them, compared pixel for pixel with reference pictures kept in tests/data/frames. The references were
// drawn by this same test (see tests/data/frames/README.md); a change of drawing that is meant shows here
// first.
#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "make-demo/demotree.h"
#include "platform/audio.h"
#include "platform/filesystem.h"
#include "runtime/engine.h"
#include "runtime/gamesession.h"
#include "support/fakes.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <utility>

namespace tw::test {
namespace {

class DemoFrames : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        QString error;
        ASSERT_EQ(demo::writeDemoTree({dir_->path(), QCoreApplication::applicationFilePath()}, &error),
                  demo::DemoResult::Written)
            << error.toStdString();
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }

    // A fresh game on the demo, with or without the editor attached.
    struct Run {
        DiskFileSystem disk;
        FakeMessages messages;
        SilentAudio audio;
        FakeCursors cursors;
        FakeFileDialogs dialogs;
        SeededRandom random{7};
        std::unique_ptr<Engine> engine;
        std::unique_ptr<GameSession> session;
        std::unique_ptr<CanvasEditing> editing;

        explicit Run(bool editor) {
            engine = std::make_unique<Engine>(AssetPaths(dir_->path().toStdString()), Services{disk, messages, audio, cursors, random, dialogs});
            if (editor) {
                editing = std::make_unique<CanvasEditing>(*engine);
                EXPECT_TRUE(engine->startUp());
            } else {
                session = std::make_unique<GameSession>(*engine);
                EXPECT_TRUE(session->startUp());
            }
        }
        void ticks(int n) {
            for (int i = 0; i < n; ++i) engine->frameTick();
            engine->overlayTick();
        }
        void showScene(int s) {
            engine->mouseMove(500, 400, kPlayHeight);
            engine->leaveScene();
            engine->screen().currentScene = std::uint16_t(s);
            engine->reloadBackground();
        }
        // The pointer rests on the middle of the first hint with a text, the button held: its text shows.
        void holdOnHint() {
            const SceneBlock& scene = engine->record().scene(engine->screen().currentScene);
            for (int h = 1; h <= kHintsPerScene; ++h) {
                const Hint& hint = scene.hint(h);
                if (hint.text.usedLength() == 0) continue;
                const int x = (hint.zoneX1 + hint.zoneX2) / 2;
                const int y = (hint.zoneY1 + hint.zoneY2) / 2;
                engine->mouseMove(x, y, kPlayHeight);
                engine->mouseDown(MouseButton::Left, x, y);
                engine->frameTick();
                return;
            }
        }
        // A click on character d: the hero walks there and its dialog opens.
        void talkTo(int d) {
            const Dialog& dialog = engine->record().scene(engine->screen().currentScene).dialog(d);
            const int x = (dialog.zoneX1 + dialog.zoneX2) / 2;
            const int y = (dialog.zoneY1 + dialog.zoneY2) / 2;
            engine->mouseMove(x, y, kPlayHeight);
            engine->mouseDown(MouseButton::Left, x, y);
            engine->frameTick();
            engine->mouseUp();
            for (int i = 0; i < 600 && !engine->play().dialogOpen; ++i) engine->frameTick();
            engine->mouseMove(500, 650, kPlayHeight);
            engine->frameTick();
        }
    };

    // The frame `name` equals its reference. A reference keeps only the pixels where the frame differs
    // from the background of its screen (the rest is transparent), so it stays small; the background
    // comes from the demo tree, which the demo's maker writes the same every time. With TW_WRITE_FRAMES
    // set to a folder, the frame is written there instead, as a new reference.
    static void expectFrame(const char* name, Run& run) {
        const QImage shown = toQt(std::as_const(run.engine->canvas())).convertToFormat(QImage::Format_RGB32);
        const QImage background = toQt(std::as_const(run.engine->pictures().backgroundPicture)).convertToFormat(QImage::Format_RGB32);
        const auto under = [&background](int x, int y) {
            return x < background.width() && y < background.height() ? background.pixel(x, y) : qRgb(0, 0, 0);
        };
        const QString file = QString::fromLatin1(name) + QStringLiteral(".png");
        if (qEnvironmentVariableIsSet("TW_WRITE_FRAMES")) {
            QImage drawn(shown.size(), QImage::Format_ARGB32);
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    const QRgb pixel = shown.pixel(x, y);
                    drawn.setPixel(x, y, pixel == under(x, y) ? qRgba(0, 0, 0, 0) : (pixel | 0xFF000000u));
                }
            }
            const QDir out(qEnvironmentVariable("TW_WRITE_FRAMES"));
            ASSERT_TRUE(drawn.save(out.filePath(file), "PNG", 0));
            return;
        }
        QImage drawn;
        ASSERT_TRUE(drawn.loadFromData(readTestData(QStringLiteral("frames/") + file), "PNG")) << name;
        drawn = drawn.convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(drawn.size(), shown.size()) << name;
        int differing = 0, worst = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb stored = drawn.pixel(x, y);
                const QRgb expected = qAlpha(stored) == 0 ? under(x, y) : stored;
                const QRgb pixel = shown.pixel(x, y);
                if ((pixel & 0xFFFFFFu) == (expected & 0xFFFFFFu)) continue;
                ++differing;
                worst = std::max({worst, std::abs(qRed(pixel) - qRed(expected)), std::abs(qGreen(pixel) - qGreen(expected)),
                                  std::abs(qBlue(pixel) - qBlue(expected))});
            }
        }
        EXPECT_EQ(differing, 0) << name << ": " << differing << " pixels differ, by up to " << worst << " levels";
    }

    static QTemporaryDir* dir_;
};

QTemporaryDir* DemoFrames::dir_ = nullptr;

TEST_F(DemoFrames, ThePlayersMenuHelpAndEveryScene) {
    {
        Run run(false);
        run.ticks(1);
        expectFrame("player-menu", run);
        const Point16 help = run.engine->record().menuTopLeft(4);
        run.session->mouseDown(MouseButton::Left, help.x + 5, help.y + 5);
        run.ticks(1);
        expectFrame("player-help", run);
    }
    const int scenes = usableSceneCount(Run(false).engine->record());
    for (int s = 1; s <= scenes; ++s) {
        Run run(false);
        run.session->newGame();
        run.showScene(s);
        // Long enough for the crowd's remarks to have come round.
        run.ticks(260);
        run.holdOnHint();
        expectFrame(("player-scene" + std::to_string(s)).c_str(), run);
    }
    Run run(false);
    run.session->newGame();
    run.talkTo(1);
    expectFrame("player-dialog", run);
}

TEST_F(DemoFrames, TheEditorsScreensWithTheirAids) {
    const std::pair<EditorPage, const char*> pages[] = {{EditorPage::GameMenu, "editor-menu"},
                                                          {EditorPage::Applicator, "editor-applicator"},
                                                          {EditorPage::Animator, "editor-animator"},
                                                          {EditorPage::Passability, "editor-passability"}};
    for (const auto& [page, name] : pages) {
        Run run(true);
        selectPage(*run.engine, page);
        run.ticks(3);
        expectFrame(name, run);
    }
    const int scenes = usableSceneCount(Run(true).engine->record());
    for (int s = 1; s <= scenes; ++s) {
        Run run(true);
        selectPage(*run.engine, EditorPage::PlotEditor);
        run.showScene(s);
        run.ticks(260);
        expectFrame(("editor-scene" + std::to_string(s)).c_str(), run);
    }
}

} // namespace
} // namespace tw::test
