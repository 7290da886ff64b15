#pragma once

#include "project/projectrecord.h"

#include <QList>
#include <QRect>
#include <QString>

#include <array>
#include <memory>

namespace tw::demo {

// The name of the demo game. It becomes the file name of a built game, so it is Latin without spaces.
inline const QString kDemoGameName = QStringLiteral("DemoQuest");

// Builds the demo's project record from a blank one: counts, the menu's click zones (`menuZones`, in the
// order of the menu items), the animation table from the sheet's frame rectangles (`animations[a - 1]`
// holds the frames of animation a), the hero's animations and starting place, every scene's animation
// spots and passability from its layout, and the quest (demostory.h). Every other field stays zero.
std::unique_ptr<ProjectRecord> buildDemoRecord(const std::array<QRect, 4>& menuZones,
                                               const QList<QList<QRect>>& animations);

// Fills the passability of scene `scene` from its layout: walkable cells 0, all others blocked, and the
// cells of the (closed) doors blocked too.
void fillPassability(ProjectRecord& record, int scene);

} // namespace tw::demo
