#include "canvas/picturefiles.h"

#include "platform/filesystem.h"
#include "platform/picturecodec.h"

namespace tw {

std::string PictureFiles::load(const std::string& path, Picture& into) {
    FileSystem::ReadResult read = files_.read(path);
    if (!read.ok()) {
        const std::string reason = read.error.empty() ? std::string("файл не найден") : read.error;
        return "Не удалось открыть картинку " + path + ": " + reason;
    }
    std::string reason;
    Picture picture = decodePicture(read.bytes, &reason);
    if (picture.isNull()) return "Не удалось прочитать картинку " + path + ": " + reason;
    into = std::move(picture);
    return {};
}

std::string PictureFiles::save(const std::string& path, const Picture& picture) {
    const std::string reason = files_.writeAtomically(path, encodeBmp(picture));
    if (reason.empty()) return {};
    return "Не удалось записать картинку " + path + ": " + reason;
}

} // namespace tw
