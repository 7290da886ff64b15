#include "editor/applicator.h"

#include "editor/canvasediting.h"
#include "editor/chosenfile.h"
#include "canvas/background.h"
#include "canvas/blit.h"
#include "editor/editor.h"
#include "editor/picturesets.h"
#include "platform/cursors.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "platform/picturecodec.h"
#include "platform/random.h"
#include "project/assetcheck.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <algorithm>
#include <utility>

namespace tw {

Rect stampOnto(Picture& target, const Picture& source, Point at, bool keyed) {
    if (source.isNull() || target.isNull()) return {};
    const Rgb key = source.pixel(0, 0);
    const Rect area = Rect::at(at, source.size()).intersected(target.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const Rgb* from = source.row(y - at.y);
        Rgb* to = target.row(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            const Rgb pixel = from[x - at.x];
            if (!keyed || pixel != key) to[x] = pixel;
        }
    }
    return area;
}

Applicator::Applicator(Editor& editor) : editor_(editor), engine_(editor.engine()) { editor_.canvas().setApplicator(this); }

Applicator::~Applicator() { editor_.canvas().setApplicator(nullptr); }

bool Applicator::brushOn() const { return editorState(engine_).applicatorOn; }

bool Applicator::applies() const { return engine_.isStarted() && engine_.screen().screenMode == ScreenMode::Applicator; }

Rect Applicator::drawOverlay() {
    if (!applies() || brushOn()) return {};
    Picture& canvas = engine_.canvas();
    const Pictures& pictures = engine_.pictures();
    const Point offset = engine_.screen().sceneViewOffset;
    const Rect stampRect = Rect::at(engine_.play().mousePoint, pictures.stampPicture.size());
    const bool whole = canvas.cacheKey() != memo_.canvasKey || offset != memo_.offset ||
                       pictures.backgroundPicture.cacheKey() != memo_.backgroundKey ||
                       pictures.stampPicture.cacheKey() != memo_.stampKey;
    if (!whole && stampRect == memo_.stampRect) return {};
    const Rect area = (whole ? canvas.rect() : stampRect.united(memo_.stampRect)).intersected(canvas.rect());
    // Black, and the scene at its offset over it, inside `area` only.
    const Picture& scene = pictures.backgroundPicture;
    const Rect sceneArea = Rect::at(offset, scene.size()).intersected(area);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        Rgb* line = canvas.row(y);
        std::fill(line + area.left(), line + area.rightExclusive(), rgb(0, 0, 0));
        if (y < sceneArea.top() || y > sceneArea.bottom()) continue;
        const Rgb* from = scene.row(y - offset.y) + (sceneArea.left() - offset.x);
        std::copy_n(from, sceneArea.width, line + sceneArea.left());
    }
    drawTransparent(canvas, pictures.stampPicture, stampRect.topLeft());
    memo_ = {canvas.cacheKey(), pictures.backgroundPicture.cacheKey(), pictures.stampPicture.cacheKey(), offset, stampRect};
    return area;
}

void Applicator::press(Point at) {
    if (!applies()) return;
    if (brushOn()) {
        stroking_ = false;
        return;
    }
    Pictures& pictures = engine_.pictures();
    if (pictures.stampPicture.isNull()) return;
    if (stampOnto(pictures.backgroundPicture, pictures.stampPicture, at - engine_.screen().sceneViewOffset).isEmpty())
        return;
    writeScene();
}

void Applicator::move(Point at) {
    // The button held down on the canvas, as the engine saw the press.
    if (!applies() || !brushOn() || !engine_.play().mouseHeld) return;
    brushAt(at);
}

void Applicator::release() {
    if (!stroking_) return;
    stroking_ = false;
    writeScene();
}

void Applicator::brushAt(Point at) {
    Picture& picture = engine_.pictures().backgroundPicture;
    RandomSource& random = engine_.services().random;
    const int n = 7 - intensity_;
    // The square of r + 1 by r + 1 pixels whose lower right corner is the pointer; every pixel of it
    // draws a number, those outside the picture too, so a stroke along the edge stays in step.
    for (int y = at.y - radius_; y <= at.y; ++y) {
        const bool row = y >= 0 && y < picture.height();
        Rgb* line = row ? picture.row(y) : nullptr;
        for (int x = at.x - radius_; x <= at.x; ++x) {
            const bool hit = random.below(n) == 1;
            if (!hit || !line || x < 0 || x >= picture.width()) continue;
            const Rgb p = line[x];
            const int r = redOf(p), g = greenOf(p), b = blueOf(p);
            if (!lightens_ && r > 3 && g > 3 && b > 3) line[x] = rgb(r - 3, g - 3, b - 3);
            if (lightens_ && r < 252 && g < 252 && b < 252) line[x] = rgb(r + 3, g + 3, b + 3);
        }
    }
    stroking_ = true;
    // The brush works on the scene drawn at (0, 0): the square is shown once, after the whole pass.
    drawOpaqueArea(engine_.canvas(), picture, Rect{at.x - radius_, at.y - radius_, radius_ + 1, radius_ + 1});
}

bool Applicator::writeScene() {
    Engine& engine = engine_;
    bool written = false;
    // The picture in memory is what is written; the file read back after it is the same picture.
    const Bytes bytes = encodeBmp(engine.pictures().backgroundPicture);
    editor_.change([&] { written = editor_.writeFile(engine.paths().scene(engine.screen().currentScene), bytes); });
    return written;
}

bool Applicator::createScene() {
    ProjectRecord& record = engine_.record();
    Messages& messages = engine_.services().messages;
    if (record.sceneCount >= kSceneLimit) {
        messages.showError(fromQt(QStringLiteral("Сцен уже %1: больше в игре не помещается.").arg(kSceneLimit)));
        return false;
    }
    const int n = record.sceneCount + 1;
    bool made = false;
    editor_.change([&] {
        // The file first: a scene is counted only once its picture is on disk.
        if (!editor_.writeFile(engine_.paths().scene(n), encodeBmp(blankScenePicture()))) return;
        record.sceneCount = std::uint16_t(n);
        made = true;
    });
    if (!made) return false;
    engine_.screen().currentScene = std::uint16_t(n);
    engine_.reloadBackground();
    sceneReloaded();
    return true;
}

bool Applicator::eraseScene() {
    if (!engine_.services().messages.askYesNo("Стереть?", Messages::Answer::No)) return false;
    engine_.pictures().backgroundPicture = blankScenePicture();
    return writeScene();
}

bool Applicator::loadScene() {
    const QString chosen = chooseAssetFile(engine_, AssetKind::Picture, QStringLiteral("Сцена 1009x700"));
    bool replaced = false;
    // Read once; a picture of another size than the play area's is taken only when the author says so.
    std::optional<ChosenFile> file;
    if (!chosen.isEmpty()) file = readChosenFile(engine_, AssetKind::Picture, chosen);
    if (file && takePictureOfSize(engine_, chosen, file->picture.size(), QSize(kPlayWidth, kPlayHeight))) {
        const std::string target = engine_.paths().scene(engine_.screen().currentScene);
        const QImage& picture = file->picture;
        editor_.change([&] {
            if (picture.width() >= kPlayWidth && picture.height() >= kPlayHeight) {
                // A full picture is copied as it is.
                replaced = editor_.writeFile(target, file->bytes);
                return;
            }
            // A smaller picture lies at the top left of a blank scene, so that play never shows what
            // was drawn before around it.
            Picture scene = blankScenePicture();
            stampOnto(scene, fromQt(picture.convertToFormat(QImage::Format_RGB32)), Point{0, 0}, false);
            replaced = editor_.writeFile(target, encodeBmp(scene));
        });
    }
    engine_.reloadBackground();
    sceneReloaded();
    return replaced;
}

bool Applicator::saveSceneAs() {
    const QString chosen = toQt(engine_.services().dialogs.saveFile(kPictureFilter));
    if (chosen.isEmpty()) return false;
    const QString target = chosen.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ? chosen : chosen + QLatin1String(".bmp");
    const std::string error =
        engine_.services().files.writeAtomically(fromQt(target), encodeBmp(engine_.pictures().backgroundPicture));
    if (!error.empty()) {
        engine_.services().messages.showError(fromQt(QStringLiteral("Не удалось записать файл %1: %2").arg(target, toQt(error))));
        return false;
    }
    return true;
}

bool Applicator::saveScene() { return writeScene(); }

bool Applicator::addStamp() {
    const QString chosen = chooseAssetFile(engine_, AssetKind::Picture, QStringLiteral("Новый штамп"));
    if (chosen.isEmpty()) return false;
    ProjectRecord& record = engine_.record();
    const int k = record.stampCount + 1;
    if (k > 0xFFFF) return false;
    bool added = false;
    editor_.change([&] {
        if (!editor_.replaceFile(engine_.paths().stamp(k), AssetKind::Picture, chosen)) return;
        record.stampCount = std::uint16_t(k);
        added = true;
    });
    return added;
}

bool Applicator::replaceStamp() {
    const QString chosen = chooseAssetFile(engine_, AssetKind::Picture, QStringLiteral("Штамп %1").arg(editorState(engine_).currentStamp));
    if (chosen.isEmpty()) return false;
    const int k = editorState(engine_).currentStamp;
    bool replaced = false;
    editor_.change([&] { replaced = editor_.replaceFile(engine_.paths().stamp(k), AssetKind::Picture, chosen); });
    return replaced;
}

void Applicator::wheel(int steps) {
    if (!applies() || steps == 0) return;
    int& k = editorState(engine_).currentStamp;
    const int last = std::max(1, int(engine_.record().stampCount));
    const int next = std::clamp(k + (steps < 0 ? 1 : -1), 1, last);
    if (next == k) return;
    k = next;
    engine_.loadPicture(engine_.paths().stamp(k), engine_.pictures().stampPicture);
}

void Applicator::setViewOffset(Point offset) {
    // The brush works on the scene at (0, 0); the presets wait until it is off.
    if (brushOn()) return;
    engine_.screen().sceneViewOffset = offset;
}

void Applicator::setBrushOn(bool on) {
    editorState(engine_).applicatorOn = on;
    stroking_ = false;
    if (on) {
        engine_.screen().sceneViewOffset = Point{0, 0};
        if (applies()) {
            // The stamp leaves the pointer: the canvas shows the scene alone.
            drawOpaque(engine_.canvas(), engine_.pictures().backgroundPicture, Point{0, 0});
        }
    }
    memo_ = {};
    if (applies()) engine_.setCanvasCursor(on ? cursorNeutral : kCursorHidden);
}

void Applicator::setBrushRadius(int radius) { radius_ = std::clamp(radius, 2, 20); }
void Applicator::setBrushIntensity(int intensity) { intensity_ = std::clamp(intensity, 1, 5); }

} // namespace tw
