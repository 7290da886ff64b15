#include "app/canvasview.h"
#include "app/buildwebcommand.h"
#include "app/checkcommand.h"
#include "app/mainwindow.h"
#include "app/replaycommand.h"
#include "platform/filesystem.h"
#include "platform/memorypolicy.h"
#include "platform/random.h"
#include "platform/sdl/sdlaudio.h"
#include "platform/widgets/qtfiledialogs.h"
#include "platform/widgets/qtmessages.h"
#include "platform/widgets/widgetcursors.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    tw::keepFreedMemoryForReuse();
    // `--check`: the game check for scripts, with no window and no display.
    if (const std::optional<int> code = tw::runCheckCommand(argc, argv)) return *code;
    // `--build-web NAME FOLDER [PROJECT]`: the game built for the browser, from scripts.
    if (const std::optional<int> code = tw::runBuildWebCommand(argc, argv)) return *code;
    // --replay FILE [--grab PNG] [--json]: a player's recording played in the editor's engine, headless.
    if (tw::isReplayCommand(argc, argv)) return tw::runEditorReplay(argc, argv);
    // The toolkit's own event loop instead of GLib's: the program wakes 120 times a second for its two
    // timers, and each wake through GLib costs noticeably more while the screen stands still. Nothing here
    // needs GLib's loop; a value the user set is kept.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarnwick"));
    // The interface is Russian whatever the system's language: the toolkit's own texts (the buttons of
    // message boxes and file dialogs) too. Without the translation file they stay in English.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);

    tw::DiskFileSystem files;
    tw::QtMessages messages;
    tw::SdlAudio audio;
    tw::WidgetCursors cursors;
    tw::SeededRandom random;
    tw::QtFileDialogs dialogs;
    tw::MainWindow window(tw::AssetPaths(QCoreApplication::applicationDirPath().toStdString()),
                          tw::Services{files, messages, audio, cursors, random, dialogs});
    messages.setParent(&window);
    dialogs.setParent(&window);
    cursors.setWidget(window.canvasView());

    // A project that could not be loaded has been reported; stop without ever writing anything.
    if (!window.startUp()) return 1;
    window.show();
    return app.exec();
}
