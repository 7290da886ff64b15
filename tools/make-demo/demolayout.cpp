#include "make-demo/demolayout.h"

#include "make-demo/proppictures.h"
#include "project/projectrecord.h"

#include <array>

namespace tw::demo {

namespace {

// Scene 1, a forest clearing: a dirt road across the meadow, a trodden clearing with a campfire in the
// middle, and a footpath that disappears between the trees at the back. An old hermit stands by the fire;
// the road leads east to the village.
SceneLayout forestClearing() {
    SceneLayout s;
    s.name = QStringLiteral("Лесная поляна");
    s.walkable = {QRect(1, 28, 51, 3),  // the road, y 540..599
                  QRect(22, 21, 9, 1),  // the clearing, an oval of rows 21..27 ...
                  QRect(19, 22, 15, 1),
                  QRect(18, 23, 17, 4),
                  QRect(19, 27, 15, 1), // ... that opens onto the road
                  QRect(25, 16, 3, 5)}; // the footpath into the forest
    s.obstacles = {QRect(25, 23, 3, 2),  // the campfire
                   QRect(21, 23, 2, 1),  // the hermit ...
                   QRect(21, 22, 2, 1),  // ... and the cells behind him, where the hero would be drawn
                   QRect(22, 21, 1, 1)}; // over him
    s.spots = {{kAnimCampfire, QPoint(478, 412), true},
               {kAnimSmoke, QPoint(490, 338), false},
               {kAnimBird, QPoint(640, 70), false},
               {kAnimHermit, characterTopLeft(QPoint(420, 460)), false}};
    s.portals = {{QPoint(50, 29), QPoint(2, 26), 2}}; // east along the road: the village street's west end
    return s;
}

// Scene 2, a village street: a cobbled street in front of the houses, an alley between two houses that
// ends at the gate in the castle wall, a fountain standing in the street, a windmill on the hill behind
// the roofs. The herb woman stands by the first house, the merchant with his crate by the last.
SceneLayout villageStreet() {
    SceneLayout s;
    s.name = QStringLiteral("Деревенская улица");
    s.walkable = {QRect(1, 23, 51, 8),  // the street, y 440..599
                  QRect(24, 21, 3, 2),  // the alley, x 460..519, y 400..439
                  QRect(25, 19, 1, 2)}; // the gateway: the gate's cell and the passage behind it
    s.obstacles = {QRect(37, 23, 5, 5),  // the fountain, and the street behind it: the hero passes in front
                   QRect(10, 23, 2, 2),  // the herb woman
                   QRect(47, 23, 2, 2),  // the merchant
                   QRect(49, 23, 2, 2)}; // his crate of wares
    s.spots = {{kAnimWindmill, QPoint(800, 92), false},
               {kAnimFountain, QPoint(725, 424), false},
               {kAnimSmoke, QPoint(210, 62), false},
               {kAnimHerbalist, characterTopLeft(QPoint(200, 480)), false},
               {kAnimMerchant, characterTopLeft(QPoint(940, 480)), false}};
    s.portals = {{QPoint(1, 27), QPoint(47, 28), 1},  // west: back to the forest road
                 {QPoint(25, 19), QPoint(3, 29), 3}}; // through the gate: the castle hall's side door
    s.doors = {{QPoint(25, 20), QPoint(460, 310), kDoorGateClosed, kDoorGateOpen}};
    return s;
}

// Scene 3, a castle hall: a flagstone floor between the walls, a carpet up to the throne, two pillars
// whose feet stand on the floor, torches on the wall and a fire in the hearth. A side door in the west
// wall leads back to the village; the treasury door in the back wall is watched by a guard.
SceneLayout castleHall() {
    SceneLayout s;
    s.name = QStringLiteral("Зал замка");
    s.walkable = {QRect(3, 21, 47, 13), // the floor, x 40..979, y 400..659
                  QRect(24, 16, 5, 5),  // the carpet to the throne, x 460..559
                  QRect(18, 20, 1, 1),  // the threshold of the treasury door, x 340..359
                  QRect(1, 29, 2, 3)};  // the side door in the west wall, y 560..619
    s.obstacles = {QRect(10, 21, 2, 2), QRect(41, 21, 2, 2), // the feet of the pillars
                   QRect(20, 21, 2, 1)};                     // the guard
    s.spots = {{kAnimTorch, QPoint(315, 170), false},
               {kAnimTorch, QPoint(665, 170), true},
               {kAnimCampfire, QPoint(888, 332), true},
               {kAnimGuard, characterTopLeft(QPoint(400, 420)), false}};
    s.portals = {{QPoint(1, 30), QPoint(24, 21), 2}}; // the side door: back to the alley before the gate
    s.doors = {{QPoint(18, 20), QPoint(320, 310), kDoorWoodClosed, kDoorWoodOpen}};
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

bool isDoorCell(const SceneLayout& layout, int column, int row) {
    for (const DoorPlacement& door : layout.doors)
        if (door.cell == QPoint(column, row)) return true;
    return false;
}

QPoint arrivalStandCell(const PortalPlacement& portal) { return portal.arrival + QPoint(1, 1); }

QRect doorPictureRect(const DoorPlacement& door) { return QRect(door.picture, QSize(60, 90)); }

QRect doorKeyZone(const DoorPlacement& door) { return doorPictureRect(door).adjusted(-4, -4, 4, 0); }

QPoint characterTopLeft(QPoint feet) {
    // The soles fill the frame's row 82; `feet` is the first pixel row below them.
    return feet - QPoint(kCharacterFrameSize.width() / 2, kCharacterFrameSize.height() - 1);
}

QRect characterRect(const SpotPlacement& spot) { return QRect(spot.topLeft, kCharacterFrameSize); }

QRect cellsToPixels(const QRect& cells) {
    return QRect((cells.x() - 1) * kCellSize, (cells.y() - 1) * kCellSize, cells.width() * kCellSize,
                 cells.height() * kCellSize);
}

QPoint heroStartPoint() { return QPoint(300, 570); }

} // namespace tw::demo
