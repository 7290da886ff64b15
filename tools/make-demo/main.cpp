// make-demo: writes the bundled demo game (pictures, cursors, sounds and its project record) into a folder.
#include "make-demo/demotree.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

namespace {

int usage(QTextStream& err) {
    err << "usage: make-demo <target-folder> --program <path-of-the-player-executable>\n"
        << "Writes the demo game's mzh/ and graf/ folders into the target folder, with the player copied to\n"
        << "mzh/data/Comp (what a game build copies); a folder that already\n"
        << "holds mzh/ or graf/ is left untouched.\n";
    return 1;
}

void listTree(QTextStream& out, const QString& folder) {
    for (const char* top : {"mzh", "graf"}) {
        QDirIterator it(folder + QLatin1Char('/') + QLatin1String(top), QDir::Files, QDirIterator::Subdirectories);
        QStringList lines;
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            lines << QStringLiteral("  %1  %2 bytes").arg(info.filePath().mid(folder.size() + 1)).arg(info.size());
        }
        lines.sort();
        for (const QString& line : lines) out << line << '\n';
    }
}

} // namespace

int main(int argc, char** argv) {
    // Fonts and painting need a platform plugin, but not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);

    const QStringList args = QCoreApplication::arguments().mid(1);
    tw::demo::DemoOptions options;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--program") && i + 1 < args.size())
            options.programPath = args[++i];
        else if (args[i].startsWith(QLatin1Char('-')) || !options.targetFolder.isEmpty())
            return usage(err);
        else
            options.targetFolder = args[i];
    }
    if (options.targetFolder.isEmpty() || options.programPath.isEmpty()) return usage(err);

    QString error;
    switch (tw::demo::writeDemoTree(options, &error)) {
    case tw::demo::DemoResult::Written:
        out << "Wrote the demo game into " << QFileInfo(options.targetFolder).absoluteFilePath() << ":\n";
        listTree(out, QFileInfo(options.targetFolder).absoluteFilePath());
        return 0;
    case tw::demo::DemoResult::KeptExisting:
        out << QFileInfo(options.targetFolder).absoluteFilePath()
            << " already holds mzh/ or graf/; nothing was written.\n";
        return 0;
    case tw::demo::DemoResult::Failed:
        break;
    }
    err << "make-demo: " << error << '\n';
    return 1;
}
