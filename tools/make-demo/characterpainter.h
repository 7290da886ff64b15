#pragma once

#include <QImage>

namespace tw::demo {

// The people of the story (kAnimHermit .. kAnimGuard of DemoAnimation), seen from the front, standing in
// kCharacterFrameSize frames with their soles on the frame's row 82. Their animation is a slow breath with
// a blink near the end of the cycle, so a cyclic spot looks alive without jumping.
inline constexpr int kCharacterFrameCount = 20;

// Frame `frame` (0-based) of character animation `animation`, opaque on the key colour with a free margin
// of at least one pixel; a null picture for any other animation number.
QImage paintCharacterFrame(int animation, int frame);

} // namespace tw::demo
