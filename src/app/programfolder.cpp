#include "app/programfolder.h"

#include <QFile>
#include <QFileInfo>

namespace tw {

QString programFolder(const char* argv0) {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString program = self.exists() ? self.canonicalFilePath() : QFileInfo(QFile::decodeName(argv0)).absoluteFilePath();
    return QFileInfo(program).absolutePath();
}

} // namespace tw
