// A test tool, not the program: runs the real main window with the real seams on the project tree in the
// folder given as the first argument, makes a change (the hero's x from the second argument, the game
// name from the third), waits until the recovery copy of the record holds it, prints "ready" and runs on
// until it is killed. The crash recovery test kills it with SIGKILL and starts again on the same tree.
#include "app/canvasview.h"
#include "app/mainwindow.h"
#include "editor/pages/editorpanel.h"
#include "platform/filesystem.h"
#include "platform/random.h"
#include "platform/sdl/sdlaudio.h"
#include "platform/widgets/qtfiledialogs.h"
#include "platform/widgets/qtmessages.h"
#include "platform/widgets/widgetcursors.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarnwick"));
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <tree> <hero x> <game name>\n", argv[0]);
        return 2;
    }

    tw::DiskFileSystem files;
    tw::QtMessages messages;
    tw::SdlAudio audio;
    tw::WidgetCursors cursors;
    tw::SeededRandom random;
    tw::QtFileDialogs dialogs;
    const tw::AssetPaths paths(argv[1]);
    tw::MainWindow window(paths, tw::Services{files, messages, audio, cursors, random, dialogs});
    messages.setParent(&window);
    dialogs.setParent(&window);
    cursors.setWidget(window.canvasView());
    window.setRecoveryInterval(20);
    if (!window.startUp()) return 1;
    window.show();

    const auto heroX = static_cast<std::uint16_t>(QByteArray(argv[2]).toUInt());
    window.engine().record().heroX = heroX;
    window.findChild<QLineEdit*>(QStringLiteral("Edit15"))->setText(QString::fromUtf8(argv[3]));

    // The change is in the file once a whole record with the new x lies there.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QFile file(QString::fromStdString(paths.recoveryFile()));
        if (!file.open(QIODevice::ReadOnly)) return;
        const QByteArray bytes = file.readAll();
        if (std::size_t(bytes.size()) != tw::kProjectRecordSize) return;
        std::uint16_t stored = 0;
        std::memcpy(&stored, bytes.constData() + offsetof(tw::ProjectRecord, heroX), sizeof stored);
        if (stored != heroX) return;
        poll.stop();
        std::printf("ready\n");
        std::fflush(stdout);
    });
    poll.start(10);
    return app.exec();
}
