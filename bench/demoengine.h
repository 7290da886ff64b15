#pragma once

#include "editor/canvasediting.h"
#include "demoproject.h"

#include "editor/editor.h"
#include "editor/editorshell.h"
#include "platform/audio.h"
#include "platform/filesystem.h"
#include "platform/random.h"
#include "runtime/engine.h"

#include "support/fakes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace tw::bench {

// An engine started on the demo project on disk, with the services a headless run needs.
struct DemoEngine {
    DiskFileSystem disk;
    test::FakeMessages messages;
    SilentAudio audio;
    test::FakeCursors cursors;
    test::FakeFileDialogs dialogs;
    SeededRandom random{7};
    std::unique_ptr<Engine> engine;
    // Play as in the editor, with its modes and aids.
    std::unique_ptr<CanvasEditing> editing;

    bool start() {
        if (demoProjectRoot().isEmpty()) return false;
        engine = std::make_unique<Engine>(AssetPaths(demoProjectRoot().toStdString()),
                                          Services{disk, messages, audio, cursors, random, dialogs});
        editing = std::make_unique<CanvasEditing>(*engine);
        return engine->startUp();
    }

    // Started and showing the first scene with the pointer still over it.
    bool startOnScene() {
        if (!start()) return false;
        selectPage(*engine, EditorPage::PlotEditor);
        engine->mouseMove(500, 300, 699);
        return true;
    }
};

// The demo engine with the editor attached.
struct DemoEditor : DemoEngine {
    std::unique_ptr<Editor> editor;

    bool start() {
        if (!DemoEngine::start()) return false;
        editing.reset(); // the editor brings its own
        editor = std::make_unique<Editor>(*engine);
        return true;
    }
};

// The demo with the editor attached, started in a copy of the project of its own, so that what it writes
// (scene files, the record) leaves the shared demo as it was.
struct PrivateDemoEditor {
    QTemporaryDir folder;
    DiskFileSystem disk;
    test::FakeMessages messages;
    SilentAudio audio;
    test::FakeCursors cursors;
    test::FakeFileDialogs dialogs;
    SeededRandom random{11};
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Editor> editor;

    bool start() {
        const QString demo = demoProjectRoot();
        if (demo.isEmpty() || !folder.isValid()) return false;
        QDirIterator it(demo, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = folder.filePath(QDir(demo).relativeFilePath(from));
            QDir().mkpath(QFileInfo(to).path());
            if (!QFile::copy(from, to)) return false;
        }
        engine = std::make_unique<Engine>(AssetPaths(folder.path().toStdString() + '/'),
                                          Services{disk, messages, audio, cursors, random, dialogs});
        if (!engine->startUp()) return false;
        editor = std::make_unique<Editor>(*engine);
        return true;
    }
};

} // namespace tw::bench
