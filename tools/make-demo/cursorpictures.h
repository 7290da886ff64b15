#pragma once

#include "make-demo/aniwriter.h"

#include <QString>

namespace tw::demo {

// One of the game's eight cursors and the file name it is stored under in mzh/data.
struct DemoCursor {
    QString fileName;
    AnimatedCursor cursor;
};

// The eight cursors in slot order: neutral arrow, pointing hand (menu), arrow through a door (transition),
// grabbing hand (item), speech bubble (dialog), eye (look), red crossed circle (unavailable), hourglass
// (clock). All pictures are 32 x 32.
QList<DemoCursor> demoCursors();

} // namespace tw::demo
