#pragma once

#include <QImage>
#include <QSize>

namespace tw::demo {

// The animations that stand in scenes (campfire, bird, smoke, windmill sails, fountain, torch), numbered as
// in DemoAnimation. Every frame of one animation has the same size and the same anchor, so nothing jumps.

// Frame size of a scene animation; an empty size for any other number.
QSize sceneSpriteSize(int animation);
// Number of frames of a scene animation; 0 for any other number.
int sceneSpriteFrameCount(int animation);
// Frame `frame` (0-based) of a scene animation, opaque on the key colour with a free one-pixel margin.
QImage paintSceneSprite(int animation, int frame);

} // namespace tw::demo
