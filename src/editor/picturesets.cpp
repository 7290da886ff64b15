#include "editor/picturesets.h"

#include "editor/canvasediting.h"
#include "editor/chosenfile.h"
#include "canvas/blit.h"
#include "canvas/cutting.h"
#include "editor/editor.h"
#include "editor/strippreview.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "platform/picturecodec.h"
#include "project/assetcheck.h"
#include "runtime/engine.h"
#include "runtime/orders.h"
#include "toolkit/toolkittypes.h"

#include <algorithm>

namespace tw {
namespace {

QString askPicture(Engine& engine, const QString& title) { return chooseAssetFile(engine, AssetKind::Picture, title); }

// Reads and decodes a chosen picture once; a file that does not decode is reported by name, and one of
// another size than `wanted` is taken only when the author says so. Null when not taken.
QImage decodeChosen(Engine& engine, const QString& chosen, QSize wanted, Bytes* bytes = nullptr) {
    std::optional<ChosenFile> file = readChosenFile(engine, AssetKind::Picture, chosen);
    if (!file || !takePictureOfSize(engine, chosen, file->picture.size(), wanted)) return {};
    if (bytes) *bytes = std::move(file->bytes);
    return file->picture;
}

const QSize kScreenSize(kPlayWidth, kPlayHeight);

int comicCountOf(const Engine& engine) { return engine.record().comicCount; }

} // namespace

Picture fitToCell(const QImage& picture, int w, int h) {
    Picture cell(w, h);
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    cell.fill(source.isNull() ? rgb(0, 0, 0) : source.pixel(0, source.height() - 1));
    drawOpaque(cell, fromQt(source), Point{0, 0});
    return cell;
}

Picture withCell(const Picture& strip, int w, int h, int n, const QImage& picture) {
    Picture result = strip;
    drawOpaque(result, fitToCell(picture, w, h), Point{(n - 1) * w, 0});
    return result;
}

Picture fillScreen(const QImage& picture) {
    Picture source = fromQt(picture.convertToFormat(QImage::Format_RGB32));
    if (source.width() >= kPlayWidth && source.height() >= kPlayHeight) return source;
    Picture screen(std::max(source.width(), kPlayWidth), std::max(source.height(), kPlayHeight));
    drawOpaque(screen, source, Point{0, 0});
    return screen;
}

bool replaceBackdrop(Editor& editor, Backdrop which) {
    Engine& engine = editor.engine();
    const QString chosen =
        askPicture(engine, which == Backdrop::Menu ? QStringLiteral("Фон меню 1009x700") : QStringLiteral("Фон help 1009x700"));
    if (chosen.isEmpty()) return false;
    const QImage picture = decodeChosen(engine, chosen, kScreenSize);
    if (picture.isNull()) return false;
    const std::string target = engine.paths().data(which == Backdrop::Menu ? "menu" : "help");
    bool written = false;
    editor.change([&] { written = editor.writeFile(target, encodeBmp(fillScreen(picture))); });
    if (!written) return false;
    // Only now that the picture is on disk does the screen change; a failure above leaves the scene
    // shown and the menu file as they were.
    ScreenState& screen = engine.screen();
    if (screen.screenMode == ScreenMode::Scene) leaveScene(engine.record(), engine.play());
    screen.screenMode = which == Backdrop::Menu ? ScreenMode::Menu : ScreenMode::Help;
    engine.reloadBackground();
    return true;
}

bool replacePanel(Editor& editor) {
    Engine& engine = editor.engine();
    const QString chosen = askPicture(engine, QStringLiteral("Понель 1009x60"));
    if (chosen.isEmpty()) return false;
    Bytes bytes;
    if (decodeChosen(engine, chosen, QSize(kPlayWidth, 60), &bytes).isNull()) return false;
    bool replaced = false;
    editor.change([&] { replaced = editor.writeFile(engine.paths().data("pon"), bytes); });
    return replaced;
}

bool replaceItemPictures(Editor& editor) {
    Engine& engine = editor.engine();
    const QString largeFile = askPicture(engine, QStringLiteral("Предмет 50x50"));
    if (largeFile.isEmpty()) return false;
    const QString smallFile = askPicture(engine, QStringLiteral("Предмет 20x20"));
    if (smallFile.isEmpty()) return false;
    const QImage large = decodeChosen(engine, largeFile, QSize(kLargeItemSize, kLargeItemSize));
    if (large.isNull()) return false;
    const QImage small = decodeChosen(engine, smallFile, QSize(kSmallItemSize, kSmallItemSize));
    if (small.isNull()) return false;

    const int n = std::clamp(editorState(engine).currentItem, 1, kItemCapacity);
    Pictures& pictures = engine.pictures();
    const std::string largePath = engine.paths().data("nabpredmax");
    const std::string smallPath = engine.paths().data("nabpredmin");
    const Bytes largeBytes = encodeBmp(withCell(pictures.largeItemStrip, kLargeItemSize, kLargeItemSize, n, large));
    const Bytes smallBytes = encodeBmp(withCell(pictures.smallItemStrip, kSmallItemSize, kSmallItemSize, n, small));
    bool done = false;
    editor.change([&] {
        FileSystem::ReadResult oldLarge = engine.services().files.read(largePath);
        if (!editor.writeFile(largePath, largeBytes)) return;
        if (editor.writeFile(smallPath, smallBytes)) {
            done = true;
            return;
        }
        // The two strips go together: the large one goes back when the small one cannot be written.
        if (oldLarge.ok()) editor.writeFile(largePath, oldLarge.bytes);
    });
    cutItemPictures(engine);
    return done;
}

bool replaceDoorPicture(Editor& editor) {
    Engine& engine = editor.engine();
    const QString chosen = askPicture(engine, QStringLiteral("Дверь 60x90"));
    if (chosen.isEmpty()) return false;
    const QImage picture = decodeChosen(engine, chosen, QSize(kDoorPictureWidth, kDoorPictureHeight));
    if (picture.isNull()) return false;
    const int k = std::clamp(editorState(engine).closedDoorPick, 1, kDoorPictureCount);
    const Bytes bytes =
        encodeBmp(withCell(engine.pictures().doorStrip, kDoorPictureWidth, kDoorPictureHeight, k, picture));
    bool written = false;
    editor.change([&] { written = editor.writeFile(engine.paths().data("dver"), bytes); });
    cutDoorPicture(engine);
    return written;
}

bool addComic(Editor& editor) {
    Engine& engine = editor.engine();
    const int count = comicCountOf(engine);
    if (count >= kComicLimit) {
        engine.services().messages.showError(fromQt(
            QStringLiteral("Комиксов уже %1: дверь не может показать комикс с большим номером.").arg(kComicLimit)));
        return false;
    }
    const QString chosen = askPicture(engine, QStringLiteral("Комикс %1 (1009x700)").arg(count + 1));
    if (chosen.isEmpty()) return false;
    Bytes bytes;
    if (decodeChosen(engine, chosen, kScreenSize, &bytes).isNull()) return false;
    bool added = false;
    editor.change([&] {
        // The copy first: a failed copy leaves comicCount as it was.
        if (!editor.writeFile(engine.paths().comic(count + 1), bytes)) return;
        engine.record().comicCount = std::uint16_t(count + 1);
        added = true;
    });
    if (added) editorState(engine).comicPick = count + 1;
    return added;
}

bool replaceComic(Editor& editor) {
    Engine& engine = editor.engine();
    const int n = editorState(engine).comicPick;
    if (n < 1 || n > comicCountOf(engine)) {
        engine.services().messages.showError(fromQt(QStringLiteral("Комикса %1 нет: сначала добавьте комикс.").arg(n)));
        return false;
    }
    const QString chosen = askPicture(engine, QStringLiteral("Комикс %1 (1009x700)").arg(n));
    if (chosen.isEmpty()) return false;
    Bytes bytes;
    if (decodeChosen(engine, chosen, kScreenSize, &bytes).isNull()) return false;
    bool replaced = false;
    editor.change([&] { replaced = editor.writeFile(engine.paths().comic(n), bytes); });
    return replaced;
}

void stepItem(Engine& engine, int delta) {
    int& n = editorState(engine).currentItem;
    n = std::clamp(n + delta, 1, kItemCapacity);
    cutItemPictures(engine);
}

void stepDoorPick(Engine& engine, int delta) {
    int& k = editorState(engine).closedDoorPick;
    k = std::clamp(k + delta, 1, kDoorPictureCount);
    cutDoorPicture(engine);
}

void stepComicPick(Engine& engine, int delta) {
    int& n = editorState(engine).comicPick;
    n = std::clamp(n + delta, 1, std::max(1, comicCountOf(engine)));
}

void cutItemPictures(Engine& engine) {
    Pictures& pictures = engine.pictures();
    const int n = editorState(engine).currentItem;
    cutCell(pictures.largeItemStrip, kLargeItemSize, kLargeItemSize, n, pictures.largeItemPicture);
    cutCell(pictures.smallItemStrip, kSmallItemSize, kSmallItemSize, n, pictures.smallItemPicture);
}

void cutDoorPicture(Engine& engine) {
    Pictures& pictures = engine.pictures();
    ensureSize(pictures.doorPicture, kDoorPictureWidth, kDoorPictureHeight);
    cutCell(pictures.doorStrip, kDoorPictureWidth, kDoorPictureHeight, editorState(engine).closedDoorPick,
            pictures.doorPicture);
}

QImage itemPreview(Engine& engine) {
    cutItemPictures(engine);
    const Pictures& pictures = engine.pictures();
    const int n = editorState(engine).currentItem;
    return stripPreview(QSize(97, 57), {{pictures.largeItemStrip, QSize(kLargeItemSize, kLargeItemSize), n, QPoint(0, 0)},
                                        {pictures.smallItemStrip, QSize(kSmallItemSize, kSmallItemSize), n, QPoint(51, 0)}});
}

QImage doorPreview(Engine& engine) {
    cutDoorPicture(engine);
    return stripPreview(QSize(65, 97), {{engine.pictures().doorStrip, QSize(kDoorPictureWidth, kDoorPictureHeight),
                                         editorState(engine).closedDoorPick, QPoint(0, 0)}});
}

QImage comicPreview(Engine& engine) {
    const int n = editorState(engine).comicPick;
    if (n < 1 || n > comicCountOf(engine)) return {};
    // Loaded aside: the comic that play shows (comicPicture) stays as it is.
    Picture comic;
    if (!engine.loadPicture(engine.paths().comic(n), comic)) return {};
    return toQt(std::as_const(comic)).scaled(137, 137, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace tw
