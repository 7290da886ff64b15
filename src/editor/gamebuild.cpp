#include "editor/gamebuild.h"

#include "editor/editor.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "runtime/engine.h"

#include <QDir>
#include <QFileInfo>

namespace tw {
namespace {

// The data files of mzh/data a game needs, in the order they are copied.
constexpr const char* kDataFiles[] = {"anim", "baztyp.dll", "clik.ani", "dial.ani", "dver",       "help",
                                      "hod.ani", "men.ani",  "menu",     "nabpredmax", "nabpredmin", "net.ani",
                                      "pon",  "pred.ani",   "smotr.ani", "ten",      "typ.dll",    "temp.ani"};
constexpr const char* kSoundFiles[] = {"clik.wav", "even.wav", "fon.mp3", "hod.wav"};
constexpr const char* kFolders[] = {"mzh", "mzh/data", "mzh/Kom", "mzh/scena", "mzh/sound"};

// The folder as an absolute, clean path; the real one where it exists (links resolved).
QString realFolder(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? QDir(path).absolutePath() : canonical);
}

bool isWithin(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

QString gameNameProblem(const QString& name) {
    if (name.trimmed().isEmpty()) return QStringLiteral("Впишите имя игры: под ним будет записана программа игры.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Имя игры «%1» не может быть именем файла.").arg(name);
    if (name.compare(QLatin1String("mzh"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Имя игры «mzh» занято: так называется папка с файлами игры.");
    for (const QChar ch : name) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\'))
            return QStringLiteral("В имени игры не должно быть знаков «/» и «\\»: оно станет именем файла.");
        if (ch.category() == QChar::Other_Control)
            return QStringLiteral("В имени игры есть управляющий символ: оно станет именем файла.");
    }
    return {};
}

QStringList gameFiles(const ProjectRecord& record) {
    QStringList files;
    for (int n = 1; n <= record.sceneCount; ++n) files << QStringLiteral("mzh/scena/") + QString::number(n);
    for (const char* name : kDataFiles) files << QStringLiteral("mzh/data/") + QLatin1String(name);
    for (const char* name : kSoundFiles) files << QStringLiteral("mzh/sound/") + QLatin1String(name);
    for (int n = 1; n <= record.comicCount; ++n) files << QStringLiteral("mzh/Kom/") + QString::number(n);
    return files;
}

bool buildGame(Editor& editor, const QString& gameNameText) {
    Engine& engine = editor.engine();
    const Services& services = engine.services();
    Messages& messages = services.messages;
    FileSystem& files = services.files;
    const AssetPaths& paths = engine.paths();

    const QString name = gameNameText;
    if (const QString problem = gameNameProblem(name); !problem.isEmpty()) {
        messages.showError(problem);
        return false;
    }
    const QString chosen = services.dialogs.chooseFolder();
    if (chosen.isEmpty()) return false;
    const QString target = realFolder(chosen);
    const QString program = realFolder(paths.root());
    if (target == program || isWithin(target, program + QStringLiteral("/mzh")) ||
        isWithin(target, program + QStringLiteral("/graf"))) {
        messages.showError(QStringLiteral("В папку %1 игру собрать нельзя: это папка редактора или его файлов. "
                                          "Выберите пустую папку в другом месте.")
                               .arg(chosen));
        return false;
    }
    const QString player = paths.data(QStringLiteral("Comp"));
    if (!files.exists(player)) {
        messages.showError(QStringLiteral("Нет программы игры %1: собрать игру не из чего.").arg(player));
        return false;
    }

    // The record as built: the scene shown is where the game starts, under the name typed now.
    bool written = false;
    editor.change([&] {
        ProjectRecord& record = engine.record();
        record.startScene = engine.screen().currentScene;
        record.gameName.setText(name);
        const QByteArray bytes(reinterpret_cast<const char*>(record.bytes()), qsizetype(kProjectRecordSize));
        written = editor.writeFile(paths.savePointFile(), bytes) && editor.writeFile(paths.recordFile(), bytes);
    });
    if (!written) return false;

    const QString base = target + QLatin1Char('/');
    for (const char* folder : kFolders) {
        const QString path = base + QLatin1String(folder);
        if (files.isDirectory(path)) continue;
        if (!files.makeDirectory(path)) {
            messages.showError(QStringLiteral("Не удалось создать папку %1. Сборка остановлена.").arg(path));
            return false;
        }
    }
    for (const QString& file : gameFiles(engine.record())) {
        if (files.copy(paths.file(file), base + file)) continue;
        messages.showError(
            QStringLiteral("Не удалось скопировать %1 в %2. Сборка остановлена.").arg(paths.file(file), base + file));
        return false;
    }
    const QString built = base + name;
    if (!files.copy(player, built) || !files.makeExecutable(built)) {
        messages.showError(QStringLiteral("Не удалось записать программу игры %1. Сборка остановлена.").arg(built));
        return false;
    }
    messages.showInfo(QStringLiteral("Игра собрана в папке %1. Запускается программой %2.").arg(target, built));
    return true;
}

} // namespace tw
