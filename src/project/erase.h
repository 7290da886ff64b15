#pragma once

namespace tw {

struct ProjectRecord;

// "Стереть весь сюжет игры": wipes the plot and the play state of every scene and leaves a blank game.
// Scenes, stamps, comics and animations stay (their counts and the animation table are untouched), as
// do gap bytes and the bytes after each emptied text's length byte. Changes the record only.
void erasePlot(ProjectRecord& record);

// "Стереть все мульты!": every animation is left with one empty frame, (0, 0) of size 0 x 0. Nothing
// else in the record changes; numbers that point at animations now point at empty ones.
void eraseAnimations(ProjectRecord& record);

} // namespace tw
