#include "editor/gamebuild.h"

#include "editor/buildwriter.h"
#include "editor/editor.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "project/recordfile.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <vector>

namespace tw {
namespace {

// The data files of mzh/data a game needs, in the order they are copied.
constexpr const char* kDataFiles[] = {"anim", "baztyp.dll", "clik.ani", "dial.ani", "dver",       "help",
                                      "hod.ani", "men.ani",  "menu",     "nabpredmax", "nabpredmin", "net.ani",
                                      "pon",  "pred.ani",   "smotr.ani", "ten",      "typ.dll",    "temp.ani"};
constexpr const char* kSoundFiles[] = {"clik.wav", "even.wav", "fon.mp3", "hod.wav"};
constexpr const char* kFolders[] = {"mzh", "mzh/data", "mzh/Kom", "mzh/scena", "mzh/sound"};
// Code points that make a name read other than it is: format characters (zero widths, direction marks
// and overrides, the byte order mark, the soft hyphen), line and paragraph separators, and the letters
// that are drawn as nothing (the Hangul fillers, the blank Braille pattern).
bool isInvisibleOrTurning(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0 || c == 0x2800;
    }
}

} // namespace

QString gameNameProblem(const QString& name) {
    if (name.trimmed().isEmpty()) return QStringLiteral("Впишите имя игры: под ним будет записана программа игры.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Имя игры «%1» не может быть именем файла.").arg(name);
    if (name.compare(QLatin1String("mzh"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Имя игры «mzh» занято: так называется папка с файлами игры.");
    if (!name.isValidUtf16())
        return QStringLiteral("В имени игры есть знак, которого нет в Юникоде: оно станет именем файла.");
    for (const char32_t c : name.toUcs4()) {
        if (c == U'/' || c == U'\\')
            return QStringLiteral("В имени игры не должно быть знаков «/» и «\\»: оно станет именем файла.");
        if (QChar::category(c) == QChar::Other_Control)
            return QStringLiteral("В имени игры есть управляющий символ: оно станет именем файла.");
        if (isInvisibleOrTurning(c))
            return QStringLiteral("В имени игры есть невидимый знак или знак смены направления письма (U+%1): "
                                  "имя файла читалось бы не так, как оно есть.")
                .arg(QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
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

bool gameUsesFile(const ProjectRecord& record, const QString& relative) {
    static const QString comics = QStringLiteral("mzh/Kom/");
    if (!relative.startsWith(comics)) return true;
    const int comic = relative.mid(comics.size()).toInt();
    // A door that is open already showed its comic; one that is not there never will.
    for (int s = 1; s <= usableSceneCount(record); ++s) {
        for (int d = 1; d <= kDoorsPerScene; ++d) {
            const Door& door = record.scene(s).door(d);
            if (door.state == 1 && door.comic == comic) return true;
        }
    }
    return false;
}

bool storeRecordAsBuilt(Engine& engine, const QString& name) {
    ProjectRecord& built = engine.record();
    built.startScene = engine.screen().currentScene;
    built.gameName.setText(fromQt(name));
    for (const std::string& file : {engine.paths().savePointFile(), engine.paths().recordFile()}) {
        if (const std::string failure = saveRecordFile(engine.services().files, file, built); !failure.empty()) {
            engine.services().messages.showError(failure + "\nСборка не начата.");
            return false;
        }
    }
    return true;
}

bool buildGame(Editor& editor, const QString& gameNameText) {
    Engine& engine = editor.engine();
    const Services& services = engine.services();
    Messages& messages = services.messages;
    FileSystem& files = services.files;
    const AssetPaths& paths = engine.paths();

    const QString name = gameNameText;
    if (const QString problem = gameNameProblem(name); !problem.isEmpty()) {
        messages.showError(fromQt(problem));
        return false;
    }
    const QString chosen = toQt(services.dialogs.chooseFolder());
    if (chosen.isEmpty()) return false;
    const QString target = realFolder(chosen);
    if (const QString problem = buildFolderProblem(paths, chosen); !problem.isEmpty()) {
        messages.showError(fromQt(problem));
        return false;
    }
    const std::string playerPath = paths.data("Comp");
    const QString player = toQt(playerPath);
    if (!files.exists(playerPath)) {
        messages.showError(fromQt(QStringLiteral("Нет программы игры %1: собрать игру не из чего.").arg(player)));
        return false;
    }

    // What the project lacks: a file the game uses stops the build before it starts; one it does not use
    // (a comic no door shows) is left out and named at the end. The two record files are written below.
    const ProjectRecord& record = engine.record();
    const QStringList copied = gameFiles(record);
    const QString savePoint = QStringLiteral("mzh/data/baztyp.dll");
    const QString project = QStringLiteral("mzh/data/typ.dll");
    QStringList missingUsed, missingUnused;
    for (const QString& file : copied) {
        if (file == savePoint || file == project || files.exists(paths.file(fromQt(file)))) continue;
        (gameUsesFile(record, file) ? missingUsed : missingUnused) << file;
    }
    if (!missingUsed.isEmpty()) {
        messages.showError(fromQt(QStringLiteral("В проекте нет файлов, которые нужны игре: %1. Сборка не начата.")
                               .arg(nameList(missingUsed))));
        return false;
    }

    // The folder: nothing is written through a link or over a folder, and a folder that is not empty is
    // the author's to give.
    const QString base = target + QLatin1Char('/');
    QStringList written = copied;
    written << name;
    const FolderCheck check = checkFolder(files, base, {std::begin(kFolders), std::end(kFolders)}, written);
    if (!check.links.isEmpty()) {
        messages.showError(fromQt(QStringLiteral("В папке %1 на месте файлов игры стоят ссылки: %2. Сборка пишет только в "
                                          "саму папку и через ссылки не пишет: уберите их или выберите другую папку.")
                               .arg(target, nameList(check.links))));
        return false;
    }
    if (!check.wrongKind.isEmpty()) {
        messages.showError(fromQt(QStringLiteral("В папке %1 на месте файлов и папок игры стоит другое: %2. "
                                          "Выберите пустую папку.")
                               .arg(target, nameList(check.wrongKind))));
        return false;
    }
    if (const QStringList present = toQt(files.entries(fromQt(target))); !present.isEmpty()) {
        const QString question =
            check.replaced.isEmpty()
                ? QStringLiteral("Папка %1 не пуста: в ней есть %2.\nСобрать игру в эту папку? Всё, что в ней есть, "
                                 "останется как есть.")
                      .arg(target, nameList(present))
                : QStringLiteral("В папке %1 уже есть игра или её файлы: %2.\nСобрать игру в эту папку? Эти файлы "
                                 "будут заменены, остальное останется как есть.")
                      .arg(target, nameList(check.replaced));
        if (!messages.askYesNo(fromQt(question), Messages::Answer::No)) return false;
    }

    if (!storeRecordAsBuilt(engine, name)) return false;

    BuildWriter writer(files, base);
    // A build that fails says why and leaves the folder as it found it.
    const auto abandon = [&](const QString& why) {
        const QStringList left = writer.takeBack();
        messages.showError(fromQt(
            QStringLiteral("Игра не собрана: %1.\n").arg(why) +
            (left.isEmpty() ? QStringLiteral("Всё, что сборка записала в папку %1, убрано; прежние файлы папки на месте.")
                                  .arg(target)
                            : QStringLiteral("Не удалось убрать записанное сборкой: %1.").arg(nameList(left)))));
        return false;
    };
    const auto failedWrite = [&](const char* what) {
        return abandon(QStringLiteral("%1 %2: %3").arg(QString::fromUtf8(what), writer.failedPath(), writer.failure()));
    };
    for (const char* folder : kFolders) {
        if (!writer.makeFolder(QLatin1String(folder))) return failedWrite("не создана папка");
    }
    for (const QString& file : copied) {
        if (missingUnused.contains(file)) continue;
        const std::string source = paths.file(fromQt(file));
        FileSystem::ReadResult read = files.read(source);
        if (!read.ok()) return abandon(QStringLiteral("не прочитан файл %1: %2").arg(toQt(source), toQt(read.error)));
        if (!writer.write(file, read.bytes)) return failedWrite("не записан файл");
    }
    FileSystem::ReadResult playerBytes = files.read(playerPath);
    if (!playerBytes.ok())
        return abandon(QStringLiteral("не прочитана программа игры %1: %2").arg(player, toQt(playerBytes.error)));
    if (!writer.write(name, playerBytes.bytes) || !writer.makeExecutable(name))
        return failedWrite("не записана программа игры");

    QString done = QStringLiteral("Игра собрана в папке %1. Запускается программой %2.").arg(target, writer.path(name));
    if (!missingUnused.isEmpty())
        done += QStringLiteral("\nВ проекте нет файлов, которые игре не нужны; они не скопированы: %1.")
                    .arg(missingUnused.join(QStringLiteral(", ")));
    messages.showInfo(fromQt(done));
    return true;
}

} // namespace tw
