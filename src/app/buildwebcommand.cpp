#include "app/buildwebcommand.h"

#include "app/programfolder.h"
#include "editor/buildwriter.h"
#include "editor/webbuild.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "project/recordfile.h"

#include <QDir>
#include <QStringList>

#include <cstdio>
#include <cstring>

namespace tw {
namespace {

constexpr char kBuildWebOption[] = "--build-web";
constexpr char kUsage[] = "Вызов: tarnwick --build-web ИМЯ ПАПКА [ПРОЕКТ]";

void print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

int refuse(const std::string& reason) {
    print(stderr, "tarnwick --build-web: " + reason);
    return 2;
}

// With nobody to answer, errors go to standard error, notices to standard output, and a question is
// answered No.
class CommandLineMessages final : public Messages {
public:
    void showError(const std::string& text) override { print(stderr, "tarnwick --build-web: " + text); }
    void showInfo(const std::string& text) override { print(stdout, text); }
    void beep() override {}

protected:
    bool ask(const std::string&, Answer) override { return false; }
};

} // namespace

std::optional<int> runBuildWebCommand(int argc, char* argv[]) {
    bool asked = false;
    for (int i = 1; i < argc && !asked; ++i) asked = std::strcmp(argv[i], kBuildWebOption) == 0;
    if (!asked) return std::nullopt;

    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kBuildWebOption) != 0) arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (arguments.size() < 2 || arguments.size() > 3) return refuse(kUsage);
    const QString name = arguments[0];
    const QString program = programFolder(argv[0]);
    const QString project = arguments.size() == 3 ? QDir(arguments[2]).absolutePath() : program;

    DiskFileSystem files;
    const AssetPaths programPaths(program.toStdString());
    const AssetPaths paths(project.toStdString());
    RecordLoad load = loadRecordFile(files, paths.recordFile());
    if (load.status == RecordLoad::Status::OpenFailed) return refuse("не удалось открыть файл проекта " + paths.recordFile());
    if (load.status != RecordLoad::Status::Ok) return refuse(load.message);
    // The game begins where the project was left, under the name given.
    load.record->gameName.setText(name.toStdString());

    // The folder is made when missing; nothing is written when the build is refused.
    const QString folder = QDir(arguments[1]).absolutePath();
    if (const QString problem = buildFolderProblem(paths, folder); !problem.isEmpty()) return refuse(problem.toStdString());
    const bool made = !files.exists(folder.toStdString());
    if (made) {
        if (const std::string failure = files.makeDirectory(folder.toStdString()); !failure.empty())
            return refuse("папка " + folder.toStdString() + " не создана: " + failure);
    }
    CommandLineMessages messages;
    if (writeWebGame(files, programPaths, paths, *load.record, name, realFolder(folder), messages, false)) return 0;
    if (made) files.remove(folder.toStdString());
    return 2;
}

} // namespace tw
