#include "editor/chosenfile.h"

#include "editor/cursorsounds.h"
#include "editor/editjournal.h"
#include "editor/picturesets.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "platform/picturecodec.h"
#include "project/assetcheck.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

namespace tw {
namespace {

constexpr qint64 kMiB = qint64(1) << 20;
constexpr qint64 kLargestPicture = 32 * kMiB;
constexpr qint64 kLargestCursor = 4 * kMiB;
constexpr qint64 kLargestSound = 64 * kMiB;

// A replacement's step holds the old and the new file: one of the largest takes at most half the history.
static_assert(2 * kLargestSound <= qint64(EditJournal::kDefaultByteLimit) / 2);

QString folderKind(AssetKind kind) {
    switch (kind) {
    case AssetKind::Picture: return QStringLiteral("picture");
    case AssetKind::Cursor: return QStringLiteral("cursor");
    case AssetKind::Wave: return QStringLiteral("wave");
    case AssetKind::Mp3: return QStringLiteral("mp3");
    }
    return {};
}

QString filterOf(AssetKind kind) {
    switch (kind) {
    case AssetKind::Picture: return QString::fromLatin1(kPictureFilter);
    case AssetKind::Cursor: return QString::fromLatin1(kCursorFilter);
    case AssetKind::Wave: return QString::fromLatin1(kWaveFilter);
    case AssetKind::Mp3: return QString::fromLatin1(kMp3Filter);
    }
    return {};
}

QString megabytes(qint64 bytes) { return QString::number((bytes + kMiB - 1) / kMiB); }

} // namespace

qint64 largestChosenFile(AssetKind kind) {
    switch (kind) {
    case AssetKind::Picture: return kLargestPicture;
    case AssetKind::Cursor: return kLargestCursor;
    case AssetKind::Wave:
    case AssetKind::Mp3: return kLargestSound;
    }
    return 0;
}

QString chooseAssetFile(Engine& engine, AssetKind kind, const QString& title) {
    return toQt(engine.services().dialogs.chooseFile(fromQt(folderKind(kind)), fromQt(title), fromQt(filterOf(kind)),
                                                     engine.paths().file("graf")));
}

std::optional<ChosenFile> readChosenFile(Engine& engine, AssetKind kind, const QString& chosen) {
    Services& services = engine.services();
    const auto unfit = [&](const QString& reason) {
        services.messages.showError(fromQt(QStringLiteral("Файл %1 не подходит: %2. Прежний файл оставлен.").arg(chosen, reason)));
        return std::nullopt;
    };
    const qint64 limit = largestChosenFile(kind);
    const FileSystem::ReadResult read = services.files.readChosen(
        fromQt(chosen), limit, [&](std::int64_t done, std::int64_t total) { return services.dialogs.reading(fromQt(chosen), done, total); });
    switch (read.status) {
    case FileSystem::ReadStatus::Ok: break;
    case FileSystem::ReadStatus::NotAFile: return unfit(QStringLiteral("это не обычный файл"));
    case FileSystem::ReadStatus::TooLarge:
        return unfit(QStringLiteral("файл больше %1 МБ, такого размера не бывает у файла этого вида").arg(megabytes(limit)));
    case FileSystem::ReadStatus::Cancelled: return std::nullopt; // the author stopped it
    case FileSystem::ReadStatus::OpenFailed:
    case FileSystem::ReadStatus::ReadFailed:
        services.messages.showError(fromQt(QStringLiteral("Файл %1 не удалось прочитать: %2").arg(chosen, toQt(read.error))));
        return std::nullopt;
    }
    ChosenFile file{read.bytes, {}};
    if (kind == AssetKind::Picture && read.bytes.starts_with("BM")) file.picture = toQt(decodePicture(read.bytes));
    // A picture is decoded once; only one that did not decode is examined again for the reason.
    if (kind != AssetKind::Picture || file.picture.isNull()) {
        const QString problem = toQt(assetProblem(kind, read.bytes));
        if (!problem.isEmpty()) return unfit(problem);
    }
    if (kind == AssetKind::Picture && file.picture.isNull()) return unfit(QStringLiteral("это не картинка BMP"));
    return file;
}

bool takePictureOfSize(Engine& engine, const QString& chosen, QSize actual, QSize wanted) {
    if (actual == wanted) return true;
    return engine.services().messages.askYesNo(fromQt(
        QStringLiteral("Картинка %1 размером %2x%3, а здесь нужна %4x%5. Взять её такой?")
            .arg(chosen)
            .arg(actual.width())
            .arg(actual.height())
            .arg(wanted.width())
            .arg(wanted.height())),
        Messages::Answer::No);
}

} // namespace tw
