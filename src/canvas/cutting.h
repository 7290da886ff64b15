#pragma once

#include "canvas/picture.h"

namespace tw {

struct ProjectRecord;

// Draws frame f (1..30) of animation a (1..100) on the canvas. The frame's rectangle is copied out of
// the sheet into framePicture (resized only when the size changes, so a steady animation allocates
// nothing), then drawn transparently: with its top-left corner at (x, y), or, when anchored, at
// (x - w1 div 2, y - h1), where w1 x h1 is the size of frame 1 of the same animation, so every frame
// shares frame 1's bottom centre. Numbers outside their tables draw nothing; parts of the rectangle
// outside the sheet are never read.
void cutFrame(Picture& canvas, const Picture& sheet, Picture& framePicture, const ProjectRecord& record, int x,
              int y, int a, bool anchored, int f);

// Copies cell n (1-based) of a strip of w x h cells, the rectangle (w(n-1), 0)-(wn, h), into the w x h
// target at (0, 0). Parts outside the strip come out black.
void cutCell(const Picture& strip, int w, int h, int n, Picture& target);

} // namespace tw
