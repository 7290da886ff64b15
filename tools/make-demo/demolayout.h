#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
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
};
inline constexpr int kDemoAnimationCount = 11;

inline constexpr int kDemoSceneCount = 3;
inline constexpr int kDemoComicCount = 3;
inline constexpr int kDemoStampCount = 3;

// An animation placed in a scene, drawn with its top-left corner at topLeft.
struct SpotPlacement {
    int animation;
    QPoint topLeft;
    bool randomFrame;
};

// Everything that ties a scene's picture to its record: the walkable ground as cell rectangles (1-based
// columns and rows, QRect(column, row, columns, rows)), cells inside that ground that stay blocked
// (a fire, a fountain, the foot of a pillar), and the animations standing in the scene. The background
// painter paints the ground exactly over these cells and the passability grid is made from them, so the
// two cannot drift apart.
struct SceneLayout {
    QString name;
    QList<QRect> walkable;
    QList<QRect> obstacles;
    QList<SpotPlacement> spots;
};

// The layout of demo scene 1..kDemoSceneCount.
const SceneLayout& sceneLayout(int scene);

// True when cell (column, row) of the layout is walkable ground and no obstacle.
bool isWalkableCell(const SceneLayout& layout, int column, int row);

// The pixel rectangle that a rectangle of cells covers.
QRect cellsToPixels(const QRect& cells);

// The hero's foot point at the start of the game, in scene 1.
QPoint heroStartPoint();

} // namespace tw::demo
