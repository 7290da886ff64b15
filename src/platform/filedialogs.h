#pragma once

#include <QString>

namespace tw {

// Standard file and folder choosers. The core asks through this seam and never opens a dialog itself.
// An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter in the toolkit's form, e.g. "Bitmaps (*.bmp)".
    virtual QString openFile(const QString& filter) = 0;
    virtual QString saveFile(const QString& filter) = 0;
    virtual QString chooseFolder() = 0;
};

} // namespace tw
