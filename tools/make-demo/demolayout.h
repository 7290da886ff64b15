#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace tw::demo {

// Animation numbers of the demo's animation table. The hero's five come first.
enum DemoAnimation : int {
    kAnimHeroStand = 1,
    kAnimHeroLeft = 2,
    kAnimHeroRight = 3,
    kAnimHeroUp = 4,   // walking up the screen: the back view
    kAnimHeroDown = 5, // walking down the screen: the front view
    kAnimCampfire = 6,
    kAnimBird = 7,
    kAnimSmoke = 8,
    kAnimWindmill = 9,
    kAnimFountain = 10,
    kAnimTorch = 11,
    kAnimHermit = 12,    // the old hermit by the campfire
    kAnimHerbalist = 13, // the herb woman in the village street
    kAnimMerchant = 14,  // the merchant with his wares
    kAnimGuard = 15,     // the guard of the castle hall
};
inline constexpr int kDemoAnimationCount = 15;

// True for the animations that are people of the story (drawn standing, with their feet on the ground).
inline bool isCharacterAnimation(int animation) { return animation >= kAnimHermit && animation <= kAnimGuard; }

inline constexpr int kDemoSceneCount = 3;
inline constexpr int kDemoComicCount = 3;
inline constexpr int kDemoStampCount = 3;

// An animation placed in a scene, drawn with its top-left corner at topLeft.
struct SpotPlacement {
    int animation;
    QPoint topLeft;
    bool randomFrame;
};

// A passage to another scene. `cell` is the passage cell in this scene; `arrival` is the arrival cell as
// the record stores it: the hero's foot point lands on its bottom-right corner (20 x column, 20 x row), so
// he stands in the cell one column right and one row down of it.
struct PortalPlacement {
    QPoint cell;
    QPoint arrival;
    int targetScene;
};

// A door: its cell is a one-cell passage of the ground, blocked while the door is closed; its picture
// (60 x 90, from the door strip) stands with its top-left corner at `picture`.
struct DoorPlacement {
    QPoint cell;
    QPoint picture;
    int closedPicture;
    int openPicture;
};

// Everything that ties a scene's picture to its record: the walkable ground as cell rectangles (1-based
// columns and rows, QRect(column, row, columns, rows)), cells inside that ground that stay blocked
// (a fire, a fountain, the foot of a pillar, the feet of a character), the animations standing in the
// scene (the characters among them), the passages to other scenes and the doors. The background painter
// paints the ground exactly over these cells (door cells included: the door picture stands on them) and
// the passability grid is made from them, so the two cannot drift apart.
struct SceneLayout {
    QString name;
    QList<QRect> walkable;
    QList<QRect> obstacles;
    QList<SpotPlacement> spots;
    QList<PortalPlacement> portals;
    QList<DoorPlacement> doors;
};

// The layout of demo scene 1..kDemoSceneCount.
const SceneLayout& sceneLayout(int scene);

// True when cell (column, row) of the layout is walkable ground and no obstacle. A door cell is ground.
bool isWalkableCell(const SceneLayout& layout, int column, int row);
// True when cell (column, row) is the cell of one of the layout's doors.
bool isDoorCell(const SceneLayout& layout, int column, int row);

// The cell the hero stands in after arriving through `portal`.
QPoint arrivalStandCell(const PortalPlacement& portal);
// The pixel rectangle of a door's picture, and the zone a key is used in: the picture with a small margin.
QRect doorPictureRect(const DoorPlacement& door);
QRect doorKeyZone(const DoorPlacement& door);

// Frame size of the story's characters; the feet stand on the frame's bottom row but one.
inline constexpr QSize kCharacterFrameSize(48, 84);
// The top-left corner of a character frame whose feet stand at `feet` (bottom centre, in pixels).
QPoint characterTopLeft(QPoint feet);
// The character's picture as placed by `spot`, and the click zone around it.
QRect characterRect(const SpotPlacement& spot);

// The pixel rectangle that a rectangle of cells covers.
QRect cellsToPixels(const QRect& cells);

// The hero's foot point at the start of the game, in scene 1.
QPoint heroStartPoint();

} // namespace tw::demo
