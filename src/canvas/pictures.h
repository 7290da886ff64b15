#pragma once

#include <QImage>

namespace tw {

// The in-memory pictures every screen draws with, created at start-up and kept until shutdown. All are
// Format_RGB32; "transparent" ones are drawn with drawTransparent (their bottom-left pixel's colour is
// left out).
struct Pictures {
    QImage backgroundPicture; // the current screen's background
    QImage stampPicture;      // transparent: applicator stamp
    QImage sheetPicture;      // the animation sheet
    QImage framePicture;      // transparent: one frame cut out of the sheet
    QImage previewPicture;    // the animator's preview Image2, 329 x 297
    QImage panelPicture;      // the item panel, 1009 x 60
    QImage largeItemStrip;    // 50 x 50 item pictures
    QImage smallItemStrip;    // 20 x 20 item pictures
    QImage largeItemPicture;  // transparent, 50 x 50
    QImage smallItemPicture;  // transparent, 20 x 20
    QImage handPicture;       // transparent, 50 x 50: the item held on the cursor
    QImage scratchPicture;    // used by the item page
    QImage doorStrip;         // 60 x 90 door pictures
    QImage doorPicture;       // transparent, 60 x 90
    QImage comicPicture;      // the comic being shown
    QImage shadowPicture;     // transparent: drawn under dialog texts
};

} // namespace tw
