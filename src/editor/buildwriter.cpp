#include "editor/buildwriter.h"

#include <QDir>
#include <QFileInfo>

namespace tw {
namespace {

// How many names a message lists before it says how many more there are.
constexpr int kNamesShown = 12;

} // namespace

// The folder as an absolute, clean path; the real one where it exists (links resolved).
QString realFolder(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? QDir(path).absolutePath() : canonical);
}

bool isWithin(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

QString buildFolderProblem(const AssetPaths& paths, const QString& chosen) {
    const QString target = realFolder(chosen);
    const QString root = toQt(paths.root());
    const QString program = realFolder(root);
    if (target == program || isWithin(target, realFolder(root + QStringLiteral("/mzh"))) ||
        isWithin(target, realFolder(root + QStringLiteral("/graf"))) ||
        isWithin(target, program + QStringLiteral("/mzh")) || isWithin(target, program + QStringLiteral("/graf")))
        return QStringLiteral("В папку %1 игру собрать нельзя: это папка редактора или его файлов. "
                              "Выберите пустую папку в другом месте.")
            .arg(chosen);
    return {};
}

QString nameList(const QStringList& names) {
    QString list = names.mid(0, kNamesShown).join(QStringLiteral(", "));
    if (names.size() > kNamesShown) list += QStringLiteral(" и ещё %1").arg(names.size() - kNamesShown);
    return list;
}

FolderCheck checkFolder(FileSystem& files, const QString& base, const std::vector<const char*>& folders,
                        const QStringList& written) {
    FolderCheck check;
    for (const char* folder : folders) {
        const QString name = QLatin1String(folder);
        const std::string path = fromQt(base + name);
        if (files.isLink(path))
            check.links << name;
        else if (files.exists(path) && !files.isDirectory(path))
            check.wrongKind << name;
    }
    for (const QString& name : written) {
        const std::string path = fromQt(base + name);
        if (files.isLink(path))
            check.links << name;
        else if (files.isDirectory(path))
            check.wrongKind << name;
        else if (files.exists(path))
            check.replaced << name;
    }
    return check;
}


} // namespace tw
