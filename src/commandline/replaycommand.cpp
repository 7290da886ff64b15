#include "commandline/replaycommand.h"

#include "platform/filesystem.h"
#include "toolkit/toolkittypes.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <utility>

namespace tw {
namespace {

void tell(FILE* to, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
    std::fputc('\n', to);
}

// A platform was chosen for the toolkit, in its environment variable or its -platform argument.
bool platformChosen(int argc, char** argv) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
    }
    return false;
}

struct Arguments {
    QString recording;
    QString grab;
    bool json = false;
};

// Reads the arguments after the toolkit took its own; false with the reason when they are not understood.
bool parse(const QStringList& args, Arguments& into, QString& why) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--json")) {
            into.json = true;
        } else if (a == QLatin1String("--replay") || a == QLatin1String("--grab")) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                why = QStringLiteral("после %1 нужно имя файла").arg(a);
                return false;
            }
            (a == QLatin1String("--replay") ? into.recording : into.grab) = args[++i];
        } else {
            why = QStringLiteral("непонятный параметр «%1»").arg(a);
            return false;
        }
    }
    return true;
}

} // namespace

bool isReplayCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--replay") == 0) return true;
    }
    return false;
}

int runReplayCommand(int argc, char** argv, const ReplayEditor& editor) {
    // No window is shown: the replay must run where no graphical session exists.
    if (!platformChosen(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    Arguments args;
    QString why;
    if (!parse(QCoreApplication::arguments(), args, why)) {
        tell(stderr, QStringLiteral("%1\nИспользование: %2 --replay ЗАПИСЬ [--grab КАРТИНКА.png] [--json]")
                         .arg(why, QCoreApplication::arguments().value(0)));
        return 2;
    }

    DiskFileSystem disk;
    const FileSystem::ReadResult read = disk.readChosen(fromQt(args.recording), std::int64_t(kMaxRecordingBytes), {});
    if (!read.ok()) {
        const QString reason = read.status == FileSystem::ReadStatus::TooLarge
                                   ? QStringLiteral("файл больше %1 байт").arg(kMaxRecordingBytes)
                               : read.status == FileSystem::ReadStatus::NotAFile
                                   ? QStringLiteral("это не файл")
                                   : toQt(read.error);
        tell(stderr, QStringLiteral("Запись %1 не прочитана: %2").arg(args.recording, reason));
        return 2;
    }
    InputLogRead log = readInputLog(read.bytes);
    if (!log.ok) {
        tell(stderr, QStringLiteral("Запись %1 не прочитана: %2")
                         .arg(args.recording, QString::fromStdString(log.reason)));
        return 2;
    }

    Replay replay(disk, fromQt(QCoreApplication::applicationDirPath()), std::move(log.log), editor);
    if (!replay.startUp()) {
        tell(stderr, QStringLiteral("Игра не прочитана: %1").arg(toQt(replay.failure())));
        return 2;
    }
    replay.run();
    for (const std::string& note : replay.notes())
        tell(stderr, toQt(note));

    if (args.json) {
        const std::string json = playStateJson(replay.engine());
        std::fwrite(json.data(), 1, json.size(), stdout);
        std::fputc('\n', stdout);
    } else {
        tell(stdout, QStringLiteral("Запись проиграна: тактов %1, сцена %2.")
                         .arg(replay.ticks())
                         .arg(replay.engine().screen().currentScene));
    }
    std::fflush(stdout);

    if (!args.grab.isEmpty()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        const QString failure = toQt(std::as_const(replay.engine().canvas())).save(&buffer, "PNG")
                                    ? toQt(disk.writeAtomically(fromQt(args.grab), fromQtBytes(png)))
                                    : QStringLiteral("картинка не закодирована");
        if (!failure.isEmpty()) {
            tell(stderr, QStringLiteral("Кадр не сохранён в %1: %2").arg(args.grab, failure));
            return 1;
        }
    }
    return 0;
}

} // namespace tw
