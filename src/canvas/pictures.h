#pragma once

#include "canvas/picture.h"

namespace tw {

// The in-memory pictures every screen draws with, created at start-up and kept until shutdown. "Transparent" ones are drawn with drawTransparent (their bottom-left pixel's colour is
// left out).
struct Pictures {
    Picture backgroundPicture; // the current screen's background
    Picture stampPicture;      // transparent: applicator stamp
    Picture sheetPicture;      // the animation sheet
    Picture framePicture;      // transparent: one frame cut out of the sheet
    Picture previewPicture;    // the animator's preview Image2, 329 x 297
    Picture panelPicture;      // the item panel, 1009 x 60
    Picture largeItemStrip;    // 50 x 50 item pictures
    Picture smallItemStrip;    // 20 x 20 item pictures
    Picture largeItemPicture;  // transparent, 50 x 50
    Picture smallItemPicture;  // transparent, 20 x 20
    Picture handPicture;       // transparent, 50 x 50: the item held on the cursor
    Picture scratchPicture;    // used by the item page
    Picture doorStrip;         // 60 x 90 door pictures
    Picture doorPicture;       // transparent, 60 x 90
    Picture comicPicture;      // the comic being shown
    Picture shadowPicture;     // transparent: drawn under dialog texts
};

} // namespace tw
