#pragma once

#include "canvas/picture.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <initializer_list>

namespace tw {

// Cell n (1-based) of a strip of cell-sized pictures side by side, to be shown at `at` of a preview.
struct PreviewCell {
    const Picture& strip;
    QSize cell;
    int n;
    QPoint at;
};

// The preview pictures of the editor's pages (items, doors, keys, the items of dialogs and
// combinations): a picture of `size` filled silver, each cell drawn over it as play draws it, leaving out
// the cell's key colour (its bottom-left pixel). A cell larger than the room from its point to the
// preview's corner is scaled down to fit, keeping its proportions. A number outside its strip draws
// nothing.
QImage stripPreview(QSize size, std::initializer_list<PreviewCell> cells);

} // namespace tw
