#include "editor/animator.h"

#include "editor/editor.h"
#include "editor/editorstate.h"
#include "editor/chosenfile.h"
#include "project/assetcheck.h"
#include "project/projectrecord.h"
#include "platform/filedialogs.h"
#include "runtime/engine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tw {
namespace {

constexpr int kLargestValue = 0xFFFF;

// The sheet's extent as the 16-bit rectangles can address it.
int limitOf(int extent) { return std::clamp(extent, 0, kLargestValue); }

} // namespace

int framesInUse(const Animation& animation) { return std::clamp<int>(animation.frameCount, 1, kFrameCapacity); }

AnimFrame& currentFrameOf(ProjectRecord& record, const EditorState& state) {
    const int a = std::clamp(state.currentAnimation, 1, kAnimationCapacity);
    return record.animation(a).frame(std::clamp(state.currentFrame, 1, kFrameCapacity));
}

const AnimFrame& currentFrameOf(const ProjectRecord& record, const EditorState& state) {
    const int a = std::clamp(state.currentAnimation, 1, kAnimationCapacity);
    return record.animation(a).frame(std::clamp(state.currentFrame, 1, kFrameCapacity));
}

void keepSelectionInRange(const ProjectRecord& record, EditorState& state) {
    state.currentAnimation = std::clamp(state.currentAnimation, 1, kAnimationCapacity);
    state.currentFrame = std::clamp(state.currentFrame, 1, framesInUse(record.animation(state.currentAnimation)));
}

void previousAnimation(EditorState& state) {
    state.currentAnimation = std::clamp(state.currentAnimation - 1, 1, kAnimationCapacity);
    state.currentFrame = 1;
}

void nextAnimation(EditorState& state) {
    state.currentAnimation = std::clamp(state.currentAnimation + 1, 1, kAnimationCapacity);
    state.currentFrame = 1;
}

void previousFrame(const ProjectRecord& record, EditorState& state) {
    keepSelectionInRange(record, state);
    state.currentFrame = std::max(state.currentFrame - 1, 1);
}

void nextFrame(const ProjectRecord& record, EditorState& state) {
    keepSelectionInRange(record, state);
    state.currentFrame = std::min(state.currentFrame + 1, framesInUse(record.animation(state.currentAnimation)));
}

void addFrame(ProjectRecord& record, EditorState& state) {
    keepSelectionInRange(record, state);
    Animation& animation = record.animation(state.currentAnimation);
    animation.frameCount = std::uint8_t(std::min(framesInUse(animation) + 1, kFrameCapacity));
    state.currentFrame = animation.frameCount;
}

void removeLastFrame(ProjectRecord& record, EditorState& state) {
    keepSelectionInRange(record, state);
    Animation& animation = record.animation(state.currentAnimation);
    animation.frameCount = std::uint8_t(std::max(framesInUse(animation) - 1, 1));
    state.currentFrame = animation.frameCount;
}

bool nudgeFrame(ProjectRecord& record, const EditorState& state, FrameValue value, int delta, Size sheet) {
    AnimFrame& frame = currentFrameOf(record, state);
    const bool horizontal = value == FrameValue::X || value == FrameValue::Width;
    std::uint16_t& changed = value == FrameValue::X       ? frame.srcX
                             : value == FrameValue::Y     ? frame.srcY
                             : value == FrameValue::Width ? frame.width
                                                          : frame.height;
    const int limit = limitOf(horizontal ? sheet.width : sheet.height);
    const int reach = horizontal ? frame.srcX + frame.width : frame.srcY + frame.height;
    // Moving right or down and widening both push the far edge out; it may go no further than the sheet.
    if (delta > 0 && reach >= limit) return false;
    if (delta < 0 && changed == 0) return false;
    changed = std::uint16_t(changed + (delta > 0 ? 1 : -1));
    return true;
}

Point draggedViewOffset(const EditorState& state, Point down, Point pointer) {
    return state.offsetAtMouseDown + (pointer - down);
}

void stretchFrame(ProjectRecord& record, const EditorState& state, Point down, Point pointer, Size sheet) {
    const int right = limitOf(sheet.width);
    const int bottom = limitOf(sheet.height);
    const Point a = down - state.sheetViewOffset;
    const Point b = pointer - state.sheetViewOffset;
    const int x1 = std::clamp(std::min(a.x, b.x), 0, right);
    const int x2 = std::clamp(std::max(a.x, b.x), 0, right);
    const int y1 = std::clamp(std::min(a.y, b.y), 0, bottom);
    const int y2 = std::clamp(std::max(a.y, b.y), 0, bottom);
    AnimFrame& frame = currentFrameOf(record, state);
    frame = AnimFrame{std::uint16_t(x1), std::uint16_t(y1), std::uint16_t(x2 - x1), std::uint16_t(y2 - y1)};
}

Rect figureAt(const Picture& sheet, Point at) {
    if (!sheet.rect().contains(at)) return {};
    const int w = sheet.width();
    const int h = sheet.height();
    const Rgb key = sheet.pixel(0, h - 1);
    const auto row = [&sheet](int y) { return sheet.row(y); };
    if (row(at.y)[at.x] == key) return {};

    // A scanline fill: each seed grows into the whole run of figure pixels on its row; the rows above and
    // below are searched from one pixel left of the run to one right of it, which is what connects
    // diagonal neighbours. Every pixel is taken once, so a figure as large as the sheet costs one pass.
    std::vector<std::uint8_t> taken(std::size_t(w) * std::size_t(h), 0);
    const auto isFree = [&](int x, int y) { return !taken[std::size_t(y) * w + x] && row(y)[x] != key; };
    std::vector<Point> seeds{at};
    int left = at.x, right = at.x, top = at.y, bottom = at.y;
    while (!seeds.empty()) {
        const Point seed = seeds.back();
        seeds.pop_back();
        const int y = seed.y;
        if (!isFree(seed.x, y)) continue;
        int x1 = seed.x;
        int x2 = seed.x;
        while (x1 > 0 && isFree(x1 - 1, y)) --x1;
        while (x2 < w - 1 && isFree(x2 + 1, y)) ++x2;
        std::fill(taken.begin() + std::ptrdiff_t(std::size_t(y) * w + x1),
                  taken.begin() + std::ptrdiff_t(std::size_t(y) * w + x2 + 1), std::uint8_t(1));
        left = std::min(left, x1);
        right = std::max(right, x2);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        for (const int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool inRun = false;
            for (int x = std::max(x1 - 1, 0); x <= std::min(x2 + 1, w - 1); ++x) {
                const bool free = isFree(x, ny);
                if (free && !inRun) seeds.push_back(Point{x, ny});
                inRun = free;
            }
        }
    }
    return Rect::fromCorners(left, top, right + 1, bottom + 1);
}

Rect frameAroundFigure(const Rect& figure, Size sheet) {
    if (figure.isEmpty()) return {};
    return figure.adjusted(-1, -1, 1, 1).intersected(Rect::at(Point{0, 0}, sheet));
}

bool fitFrameToFigure(ProjectRecord& record, const EditorState& state, const Picture& sheet, Point canvasPoint) {
    const Rect frame = frameAroundFigure(figureAt(sheet, canvasPoint - state.sheetViewOffset), sheet.size());
    // A frame reaching past what 16 bits address cannot be stored whole; it is left to the stretch.
    if (frame.isEmpty() || frame.right() >= kLargestValue || frame.bottom() >= kLargestValue) return false;
    currentFrameOf(record, state) = AnimFrame{std::uint16_t(frame.x), std::uint16_t(frame.y),
                                              std::uint16_t(frame.width), std::uint16_t(frame.height)};
    return true;
}

void loadSheet(Editor& editor) {
    Engine& engine = editor.engine();
    const std::string target = engine.paths().data("anim");
    const QString chosen = chooseAssetFile(engine, AssetKind::Picture, QStringLiteral("Набор кадров анимаций"));
    // A replaced file is read again by the editor; otherwise the file on disk is read again here. A new
    // sheet is shown from its top-left corner, beside the panel.
    if (!chosen.isEmpty() && editor.replaceFile(target, AssetKind::Picture, chosen)) {
        editor.state().sheetViewOffset = kSheetViewHome;
        return;
    }
    engine.assetFileChanged(target);
}

QString animationCaption(const EditorState& state) {
    return QStringLiteral("Мульт-") + QString::number(state.currentAnimation);
}

QString frameCaption(const ProjectRecord& record, const EditorState& state) {
    const int a = std::clamp(state.currentAnimation, 1, kAnimationCapacity);
    return QStringLiteral("Кадр-") + QString::number(state.currentFrame) + QLatin1Char('/') +
           QString::number(framesInUse(record.animation(a)));
}

QString framePositionCaption(const ProjectRecord& record, const EditorState& state) {
    const AnimFrame& frame = currentFrameOf(record, state);
    return QStringLiteral("x ") + QString::number(frame.srcX) + QStringLiteral("\ny ") + QString::number(frame.srcY);
}

QString frameSizeCaption(const ProjectRecord& record, const EditorState& state) {
    const AnimFrame& frame = currentFrameOf(record, state);
    return QStringLiteral("ш ") + QString::number(frame.width) + QStringLiteral("\nв ") + QString::number(frame.height);
}

} // namespace tw
