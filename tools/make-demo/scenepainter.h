#pragma once

#include <QImage>

namespace tw::demo {

struct SceneLayout;

// The background of demo scene 1..kDemoSceneCount, 1009 x 700 and opaque. The ground the hero may walk
// on is painted exactly over the walkable cells of the scene's layout.
QImage paintSceneBackground(int scene);

// The three scenes, each painted from its layout (one file each).
QImage paintForestClearing(const SceneLayout& layout);
QImage paintVillageStreet(const SceneLayout& layout);
QImage paintCastleHall(const SceneLayout& layout);

} // namespace tw::demo
