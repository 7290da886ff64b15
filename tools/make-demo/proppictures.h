#pragma once

#include <QImage>

namespace tw::demo {

// Door pictures of the door strip: a wooden house door and an iron-bound castle gate, each closed and open.
enum DemoDoorPicture : int {
    kDoorWoodClosed = 1,
    kDoorWoodOpen = 2,
    kDoorGateClosed = 3,
    kDoorGateOpen = 4,
};
inline constexpr int kDemoDoorPictureCount = 4;

// Door picture k as a 60 x 90 picture on the key colour.
QImage paintDoorPicture(int k);
// The strip of 50 door pictures, 3000 x 90: picture k at x = (k - 1) * 60; unused cells are key colour.
QImage paintDoorStrip();

// Applicator stamp n (1 a tree, 2 a rock, 3 a bush) on the key colour.
QImage paintStamp(int n);

// Comic n (1..3), 600 x 400: a door swinging open, a treasure found (the end of the quest), the road to
// the castle.
QImage paintComic(int n);

} // namespace tw::demo
