#include "make-demo/demolayout.h"

#include "project/projectrecord.h"

#include <array>

namespace tw::demo {

namespace {

// Scene 1, a forest clearing: a dirt road across the meadow, a trodden clearing with a campfire in the
// middle, and a footpath that disappears between the trees at the back.
SceneLayout forestClearing() {
    SceneLayout s;
    s.name = QStringLiteral("Лесная поляна");
    s.walkable = {QRect(1, 28, 51, 3),  // the road, y 540..599
                  QRect(22, 21, 9, 1),  // the clearing, an oval of rows 21..27 ...
                  QRect(19, 22, 15, 1),
                  QRect(18, 23, 17, 4),
                  QRect(19, 27, 15, 1), // ... that opens onto the road
                  QRect(25, 16, 3, 5)}; // the footpath into the forest
    s.obstacles = {QRect(25, 23, 3, 2)}; // the campfire
    s.spots = {{kAnimCampfire, QPoint(478, 412), true},
               {kAnimSmoke, QPoint(490, 338), false},
               {kAnimBird, QPoint(640, 70), false}};
    return s;
}

// Scene 2, a village street: a cobbled street in front of the houses, an alley between two houses, a
// fountain standing in the street, a windmill on the hill behind the roofs.
SceneLayout villageStreet() {
    SceneLayout s;
    s.name = QStringLiteral("Деревенская улица");
    s.walkable = {QRect(1, 23, 51, 8),  // the street, y 440..599
                  QRect(24, 18, 3, 5)}; // the alley, x 460..519
    s.obstacles = {QRect(37, 25, 5, 3)}; // the fountain's basin
    s.spots = {{kAnimWindmill, QPoint(800, 92), false},
               {kAnimFountain, QPoint(725, 424), false},
               {kAnimSmoke, QPoint(210, 62), false}};
    return s;
}

// Scene 3, a castle hall: a flagstone floor between the walls, a carpet up to the throne, two pillars
// whose feet stand on the floor, torches on the wall and a fire in the hearth.
SceneLayout castleHall() {
    SceneLayout s;
    s.name = QStringLiteral("Зал замка");
    s.walkable = {QRect(3, 21, 47, 13), // the floor, x 40..979, y 400..659
                  QRect(24, 16, 5, 5)}; // the carpet to the throne, x 460..559
    s.obstacles = {QRect(10, 21, 2, 2), QRect(41, 21, 2, 2)}; // the feet of the pillars
    s.spots = {{kAnimTorch, QPoint(315, 170), false},
               {kAnimTorch, QPoint(665, 170), true},
               {kAnimCampfire, QPoint(888, 332), true}};
    return s;
}

bool inAny(const QList<QRect>& rects, int column, int row) {
    for (const QRect& r : rects)
        if (r.contains(column, row)) return true;
    return false;
}

} // namespace

const SceneLayout& sceneLayout(int scene) {
    static const std::array<SceneLayout, kDemoSceneCount> layouts = {forestClearing(), villageStreet(),
                                                                     castleHall()};
    const int index = scene < 1 ? 0 : (scene > kDemoSceneCount ? kDemoSceneCount - 1 : scene - 1);
    return layouts[static_cast<std::size_t>(index)];
}

bool isWalkableCell(const SceneLayout& layout, int column, int row) {
    return inAny(layout.walkable, column, row) && !inAny(layout.obstacles, column, row);
}

QRect cellsToPixels(const QRect& cells) {
    return QRect((cells.x() - 1) * kCellSize, (cells.y() - 1) * kCellSize, cells.width() * kCellSize,
                 cells.height() * kCellSize);
}

QPoint heroStartPoint() { return QPoint(300, 570); }

} // namespace tw::demo
