// The program a built game runs: the game beside the executable, played in a window of its own.
#include "platform/filesystem.h"
#include "platform/memorypolicy.h"
#include "platform/random.h"
#include "platform/sdl/sdlaudio.h"
#include "platform/widgets/qtfiledialogs.h"
#include "platform/widgets/qtmessages.h"
#include "platform/widgets/widgetcursors.h"
#include "player/playerview.h"
#include "player/playerwindow.h"
#include "runtime/gamefiles.h"
#include "toolkit/toolkittypes.h"
#include "runtime/inputrecorder.h"
#include "commandline/replaycommand.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    tw::keepFreedMemoryForReuse();
    // --replay FILE [--grab PNG] [--json]: a recording played back with no window (see replaycommand.h).
    if (tw::isReplayCommand(argc, argv)) return tw::runReplayCommand(argc, argv);
    // The toolkit's own event loop instead of GLib's: the program wakes many times a second for its
    // timers, and each wake through GLib costs more while the screen stands still. A value the user set
    // is kept.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    // The interface is Russian whatever the system's language, the toolkit's own texts (the buttons of
    // message boxes) too.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);

    // --grab FILE: once the first frame is on screen, the picture shown is saved as PNG and the program
    // ends (for tests and for looking at a game without playing it).
    QString grabFile;
    const QStringList args = QCoreApplication::arguments();
    const qsizetype grab = args.indexOf(QStringLiteral("--grab"));
    if (grab > 0 && grab + 1 < args.size()) grabFile = args[grab + 1];

    // The game lies beside the executable, wherever the program is started from.
    const tw::AssetPaths paths(QCoreApplication::applicationDirPath().toStdString());
    tw::DiskFileSystem disk;
    tw::GameFiles files(disk, paths);
    tw::QtMessages messages;
    tw::SdlAudio audio;
    tw::WidgetCursors cursors;
    tw::SeededRandom random;
    tw::QtFileDialogs dialogs;
    // --record FILE: the game as played is kept in FILE when the window closes, with the seed of the
    // random source, so that --replay plays it again.
    const qsizetype record = args.indexOf(QStringLiteral("--record"));
    const bool recording = record > 0 && record + 1 < args.size();
    tw::InputRecorder recorder(files, recording ? args[record + 1].toStdString() : std::string(), random.seed());
    tw::RecordingMessages recordedMessages(messages, recorder);
    tw::Messages& shown = recording ? static_cast<tw::Messages&>(recordedMessages) : messages;
    tw::PlayerWindow window(paths, tw::Services{files, shown, audio, cursors, random, dialogs});
    if (recording) window.setRecorder(&recorder);
    messages.setParent(&window);
    dialogs.setParent(&window);
    cursors.setWidget(window.view());

    // A game that could not be loaded has been reported; stop without writing anything.
    if (!window.startUp()) return 1;
    if (!grabFile.isEmpty()) {
        QObject::connect(window.view(), &tw::PlayerView::firstPainted, &app, [&] {
            QCoreApplication::exit(toQt(window.view()->shownPicture()).save(grabFile, "PNG") ? 0 : 2);
        });
    }
    window.show();
    window.engine().activate();
    return app.exec();
}
