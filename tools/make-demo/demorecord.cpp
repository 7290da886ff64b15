#include "make-demo/demorecord.h"

#include "make-demo/demolayout.h"
#include "make-demo/demostory.h"

namespace tw::demo {

namespace {

std::uint16_t u16(int v) { return static_cast<std::uint16_t>(v); }
std::uint8_t u8(int v) { return static_cast<std::uint8_t>(v); }

void setMenuZones(ProjectRecord& record, const std::array<QRect, 4>& zones) {
    for (int k = 1; k <= kMenuZones; ++k) {
        const QRect& z = zones[static_cast<std::size_t>(k - 1)];
        // Corners as the editor stores them: the zone's outline runs through these two points, and a click
        // counts when it lies strictly between them.
        record.menuTopLeft(k) = {u16(z.left()), u16(z.top())};
        record.menuBottomRight(k) = {u16(z.right() + 1), u16(z.bottom() + 1)};
    }
}

void setAnimations(ProjectRecord& record, const QList<QList<QRect>>& animations) {
    for (int a = 1; a <= animations.size() && a <= kAnimationCapacity; ++a) {
        const QList<QRect>& frames = animations[a - 1];
        Animation& animation = record.animation(a);
        animation.frameCount = u8(std::min<qsizetype>(frames.size(), kFrameCapacity));
        for (int f = 1; f <= animation.frameCount; ++f) {
            const QRect& r = frames[f - 1];
            animation.frame(f) = {u16(r.x()), u16(r.y()), u16(r.width()), u16(r.height())};
        }
    }
}

void setHero(ProjectRecord& record) {
    record.heroAnimStand = u8(kAnimHeroStand);
    record.heroAnimLeft = u8(kAnimHeroLeft);
    record.heroAnimRight = u8(kAnimHeroRight);
    record.heroAnimForward = u8(kAnimHeroUp);
    record.heroAnimBack = u8(kAnimHeroDown);
    record.heroStep = 5;
    const QPoint foot = heroStartPoint();
    record.heroX = u16(foot.x());
    record.heroY = u16(foot.y());
    record.heroCol = u16(foot.x() / kCellSize + 1);
    record.heroRow = u16(foot.y() / kCellSize + 1);
}

void setSpots(ProjectRecord& record, int scene) {
    const QList<SpotPlacement>& spots = sceneLayout(scene).spots;
    for (int k = 1; k <= spots.size() && k <= kSpotsPerScene; ++k) {
        const SpotPlacement& placed = spots[k - 1];
        AnimSpot& spot = record.scene(scene).animSpot(k);
        spot.visible = 1;
        spot.x = u16(placed.topLeft.x());
        spot.y = u16(placed.topLeft.y());
        spot.animation = u8(placed.animation);
        spot.randomFrame = placed.randomFrame ? 1 : 0;
    }
}

} // namespace

void fillPassability(ProjectRecord& record, int scene) {
    const SceneLayout& layout = sceneLayout(scene);
    for (int c = 1; c <= kGridColumns; ++c)
        for (int r = 1; r <= kGridRows; ++r)
            record.pass(scene, c, r) = isWalkableCell(layout, c, r) && !isDoorCell(layout, c, r) ? 0 : kBlockedCell;
}

std::unique_ptr<ProjectRecord> buildDemoRecord(const std::array<QRect, 4>& menuZones,
                                               const QList<QList<QRect>>& animations) {
    auto record = ProjectRecord::createBlank();
    record->sceneCount = kDemoSceneCount;
    record->stampCount = kDemoStampCount;
    record->comicCount = kDemoComicCount;
    record->gameName.setText(kDemoGameName.toStdString());
    record->startScene = 1;
    record->tickInterval = 50;
    setMenuZones(*record, menuZones);
    setAnimations(*record, animations);
    setHero(*record);
    for (int s = 1; s <= kDemoSceneCount; ++s) {
        fillPassability(*record, s);
        setSpots(*record, s);
    }
    placeStory(*record);
    return record;
}

} // namespace tw::demo
