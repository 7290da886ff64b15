#pragma once

#include <QImage>
#include <QList>
#include <QRect>

namespace tw::demo {

// The demo's animation sheet and the frame rectangles cut out of it.
struct SpriteSheet {
    QImage picture;                // opaque, on the key colour
    QList<QList<QRect>> animations; // animations[a - 1] holds the frame rectangles of animation a
};

// Paints the hero's five animations, the scene animations and the story's characters side by side on one
// sheet, numbered as in DemoAnimation. Each frame rectangle is exactly the cell its drawing was made in,
// with the key colour in its one-pixel border, and all frames of one animation have the same size.
SpriteSheet buildSpriteSheet();

} // namespace tw::demo
