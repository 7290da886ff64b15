#pragma once

#include "canvas/changedarea.h"
#include "canvas/geometry.h"
#include "canvas/picture.h"

#include <cstdint>
#include <vector>

namespace tw {

// A copy of a picture as it was last put on screen, and what has changed in the picture since. The
// window shows only the changed part of the canvas: redrawing a still frame then costs a comparison,
// not a repaint of the whole window.
class ShownPicture {
public:
    // Compares `picture` with the copy inside `within` (clipped to the picture), brings the copy up to
    // date there and returns what changed as horizontal bands: one rectangle for each run of consecutive
    // rows that changed, from the leftmost to the rightmost changed pixel of those rows. The caller
    // promises that nothing outside `within` changed since the last call. A picture whose cache key is
    // the one last seen has not been written to and costs nothing. The first call, or a picture of
    // another size, changes everything.
    ChangedArea update(const Picture& picture, const ChangedArea& within);
    ChangedArea update(const Picture& picture) { return update(picture, ChangedArea(picture.rect())); }

    // Forgets the copy: the next update reports the whole picture.
    void clear();

    const Picture& copy() const { return copy_; }

private:
    // Compares one rectangle; appends its bands, top to bottom.
    void compare(const Picture& picture, const Rect& area, std::vector<Rect>& bands);

    Picture copy_;
    std::uint64_t key_ = 0;
};

} // namespace tw
