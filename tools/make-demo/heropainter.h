#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

namespace tw::demo {

// How the hero is seen: walking up the screen shows his back, walking down his face.
enum class HeroView { Front, Back, Left, Right };

// Every hero frame has this size, so the game draws all of them at one anchor and his feet stay put.
inline constexpr QSize kHeroFrameSize(46, 78);

// Paints frame `frame` (0-based) of a cycle of `count` frames: a walking cycle when `walking`, else the
// standing (breathing) cycle. The picture is opaque, on the key colour, with a free margin of at least one
// pixel; the soles touch the row above the bottom row in every frame.
QImage paintHeroFrame(HeroView view, bool walking, int frame, int count);

// Draws the same figure with any painter, in the units of a 46 x 78 frame (scale the painter to enlarge
// him, as the comics do).
void drawHero(QPainter& p, HeroView view, bool walking, int frame, int count);

} // namespace tw::demo
