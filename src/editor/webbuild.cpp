#include "editor/webbuild.h"

#include "editor/buildwriter.h"
#include "editor/editor.h"
#include "editor/gamebuild.h"
#include "platform/filedialogs.h"
#include "platform/messages.h"
#include "project/gamepack.h"
#include "runtime/engine.h"

namespace tw {
namespace {

// The text of the name as it may stand in the page's HTML.
QString htmlText(const QString& text) { return text.toHtmlEscaped(); }

} // namespace

QString webPlayerProblem(FileSystem& files, const AssetPaths& program) {
    QStringList missing;
    for (const char* name : kWebPlayerFiles) {
        if (!files.exists(program.file(std::string("web/") + name))) missing << QString::fromLatin1(name);
    }
    if (missing.isEmpty()) return {};
    return QStringLiteral("Программы игры для браузера нет: в папке %1 не хватает %2. Она собирается вместе с "
                          "редактором, когда установлен Emscripten (пакет emscripten).")
        .arg(toQt(program.file("web")), nameList(missing));
}

bool writeWebGame(FileSystem& files, const AssetPaths& program, const AssetPaths& paths, const ProjectRecord& record,
                  const QString& name, const QString& target, Messages& messages, bool mayAsk) {
    const auto refuse = [&](const QString& why) {
        messages.showError(fromQt(why));
        return false;
    };
    if (const QString problem = gameNameProblem(name); !problem.isEmpty()) return refuse(problem);
    if (const QString problem = webPlayerProblem(files, program); !problem.isEmpty()) return refuse(problem);

    // The game's files: one the game uses that is missing stops the build; one it does not use is left
    // out and named at the end.
    GameFilesByPath packed;
    QStringList missingUsed, missingUnused;
    for (const QString& file : gameFiles(record)) {
        FileSystem::ReadResult read = files.read(paths.file(fromQt(file)));
        if (read.ok()) {
            packed[fromQt(file)] = std::move(read.bytes);
        } else if (read.status == FileSystem::ReadStatus::OpenFailed && !files.exists(paths.file(fromQt(file)))) {
            (gameUsesFile(record, file) ? missingUsed : missingUnused) << file;
        } else {
            return refuse(QStringLiteral("Файл %1 не прочитан: %2. Сборка не начата.")
                              .arg(toQt(paths.file(fromQt(file))), toQt(read.error)));
        }
    }
    if (!missingUsed.isEmpty())
        return refuse(QStringLiteral("В проекте нет файлов, которые нужны игре: %1. Сборка не начата.").arg(nameList(missingUsed)));
    // The record as built, whatever the project file holds.
    packed["mzh/data/typ.dll"] = Bytes(reinterpret_cast<const char*>(record.bytes()), kProjectRecordSize);

    // The folder: nothing written through a link or over a folder; one that is not empty is the author's.
    const QString base = target + QLatin1Char('/');
    QStringList written;
    for (const char* file : kWebPlayerFiles) written << QString::fromLatin1(file);
    written << QString::fromLatin1(kWebGamePack);
    const FolderCheck check = checkFolder(files, base, {}, written);
    if (!check.links.isEmpty())
        return refuse(QStringLiteral("В папке %1 на месте файлов игры стоят ссылки: %2. Сборка через ссылки не пишет: "
                                     "уберите их или выберите другую папку.")
                          .arg(target, nameList(check.links)));
    if (!check.wrongKind.isEmpty())
        return refuse(QStringLiteral("В папке %1 на месте файлов игры стоят папки: %2. Выберите пустую папку.")
                          .arg(target, nameList(check.wrongKind)));
    if (const QStringList present = toQt(files.entries(fromQt(target))); !present.isEmpty()) {
        if (!mayAsk) return refuse(QStringLiteral("Папка %1 не пуста: в ней есть %2. Игра собирается только в пустую папку.")
                                       .arg(target, nameList(present)));
        const QString question =
            QStringLiteral("Папка %1 не пуста: в ней есть %2.\nСобрать игру для браузера в эту папку? %3")
                .arg(target, nameList(present),
                     check.replaced.isEmpty() ? QStringLiteral("Всё, что в ней есть, останется как есть.")
                                              : QStringLiteral("Файлы %1 будут заменены.").arg(nameList(check.replaced)));
        if (!messages.askYesNo(fromQt(question), Messages::Answer::No)) return false;
    }

    BuildWriter writer(files, base);
    const auto abandon = [&](const QString& why) {
        const QStringList left = writer.takeBack();
        return refuse(QStringLiteral("Игра не собрана: %1.\n").arg(why) +
                      (left.isEmpty() ? QStringLiteral("Всё, что сборка записала в папку %1, убрано.").arg(target)
                                      : QStringLiteral("Не удалось убрать записанное сборкой: %1.").arg(nameList(left))));
    };
    for (const char* file : kWebPlayerFiles) {
        const std::string source = program.file(std::string("web/") + file);
        FileSystem::ReadResult read = files.read(source);
        if (!read.ok()) return abandon(QStringLiteral("не прочитан файл %1: %2").arg(toQt(source), toQt(read.error)));
        Bytes bytes = std::move(read.bytes);
        if (std::string_view(file) == "index.html") {
            // The page carries the game's name: its title, and the key of its saved game in the browser.
            const std::string escaped = fromQt(htmlText(name));
            const auto replace = [&bytes](const std::string& from, const std::string& to) {
                if (const std::size_t at = bytes.find(from); at != std::string::npos) bytes.replace(at, from.size(), to);
            };
            replace("<title>Игра</title>", "<title>" + escaped + "</title>");
            replace("data-game=\"\"", "data-game=\"" + escaped + "\"");
        }
        if (!writer.write(QString::fromLatin1(file), bytes))
            return abandon(QStringLiteral("не записан файл %1: %2").arg(writer.failedPath(), writer.failure()));
    }
    if (!writer.write(QString::fromLatin1(kWebGamePack), packGameFiles(packed)))
        return abandon(QStringLiteral("не записан файл %1: %2").arg(writer.failedPath(), writer.failure()));

    QString done = QStringLiteral("Игра для браузера собрана в папке %1.\nЧтобы попробовать её на этом компьютере, "
                                  "выполните в этой папке «python3 -m http.server» и откройте в браузере "
                                  "http://localhost:8000/.")
                       .arg(target);
    if (!missingUnused.isEmpty())
        done += QStringLiteral("\nВ проекте нет файлов, которые игре не нужны; их в игре нет: %1.").arg(nameList(missingUnused));
    messages.showInfo(fromQt(done));
    return true;
}

bool buildWebGame(Editor& editor, const QString& gameNameText) {
    Engine& engine = editor.engine();
    const Services& services = engine.services();
    Messages& messages = services.messages;
    if (const QString problem = gameNameProblem(gameNameText); !problem.isEmpty()) {
        messages.showError(fromQt(problem));
        return false;
    }
    if (const QString problem = webPlayerProblem(services.files, engine.paths()); !problem.isEmpty()) {
        messages.showError(fromQt(problem));
        return false;
    }
    const QString chosen = toQt(services.dialogs.chooseFolder());
    if (chosen.isEmpty()) return false;
    if (const QString problem = buildFolderProblem(engine.paths(), chosen); !problem.isEmpty()) {
        messages.showError(fromQt(problem));
        return false;
    }
    // As "Сохранить": the game starts where the author stands, under the name typed.
    if (!storeRecordAsBuilt(engine, gameNameText)) return false;
    const ProjectRecord& built = engine.record();
    // The editor works on the project beside it: its web player is there too.
    return writeWebGame(services.files, engine.paths(), engine.paths(), built, gameNameText, realFolder(chosen),
                        messages, true);
}

} // namespace tw
