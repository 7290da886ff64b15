#include "canvas/picturefiles.h"

#include "platform/filesystem.h"
#include "platform/picturecodec.h"
#include "toolkit/toolkittypes.h"

namespace tw {

QString PictureFiles::load(const QString& path, Picture& into) {
    FileSystem::ReadResult read = files_.read(path);
    if (!read.ok()) {
        const QString reason = read.error.isEmpty() ? QStringLiteral("файл не найден") : read.error;
        return QStringLiteral("Не удалось открыть картинку %1: %2").arg(path, reason);
    }
    std::string reason;
    Picture picture = decodePicture(fromQtBytes(read.bytes), &reason);
    if (picture.isNull()) return QStringLiteral("Не удалось прочитать картинку %1: %2").arg(path, toQt(reason));
    into = std::move(picture);
    return {};
}

QString PictureFiles::save(const QString& path, const Picture& picture) {
    const QString reason = files_.writeAtomically(path, toQtBytes(encodeBmp(picture)));
    if (reason.isEmpty()) return {};
    return QStringLiteral("Не удалось записать картинку %1: %2").arg(path, reason);
}

} // namespace tw
