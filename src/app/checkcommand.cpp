#include "app/checkcommand.h"

#include "app/programfolder.h"
#include "check/projectcheck.h"
#include "check/reportjson.h"
#include "check/reporttext.h"
#include "platform/filesystem.h"

#include <QDir>
#include <QStringList>

#include <cstdio>
#include <cstring>

namespace tw {
namespace {

constexpr char kCheckOption[] = "--check";
constexpr char kJsonOption[] = "--json";

void print(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

int refuse(const QString& reason) {
    print(stderr, (QStringLiteral("tarnwick --check: ") + reason + QLatin1Char('\n')).toUtf8());
    return 2;
}

} // namespace

std::optional<int> runCheckCommand(int argc, char* argv[]) {
    bool asked = false;
    for (int i = 1; i < argc && !asked; ++i) asked = std::strcmp(argv[i], kCheckOption) == 0;
    if (!asked) return std::nullopt;

    QString folder;
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QFile::decodeName(argv[i]);
        if (argument == QLatin1String(kCheckOption)) continue;
        if (argument == QLatin1String(kJsonOption)) {
            json = true;
        } else if (argument.startsWith(QLatin1Char('-')) || !folder.isEmpty()) {
            return refuse(QStringLiteral("непонятный аргумент «%1». Вызов: tarnwick --check [ПАПКА] [--json]")
                              .arg(argument));
        } else {
            folder = argument;
        }
    }
    if (folder.isEmpty()) folder = programFolder(argv[0]);
    DiskFileSystem files;
    const AssetPaths paths(QDir(folder).absolutePath().toStdString());

    const check::ProjectCheck result = check::checkProjectTree(files, paths);
    if (!result.readable) return refuse(result.reason);
    print(stdout, json ? check::reportJsonText(result.report) : check::reportText(result.report).toUtf8());
    return result.report.foundAnything() ? 1 : 0;
}

} // namespace tw
