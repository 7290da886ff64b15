#include "project/assetpaths.h"

#include <utility>

namespace tw {

AssetPaths::AssetPaths(QString root) : root_(std::move(root)) {
    if (!root_.isEmpty() && !root_.endsWith(QLatin1Char('/'))) root_ += QLatin1Char('/');
}

QString AssetPaths::file(const QString& relative) const { return root_ + relative; }

QString AssetPaths::cursor(int slot) const {
    if (slot < 1 || slot > 8) return {};
    return data(QLatin1String(kCursorFileNames[slot - 1]));
}

} // namespace tw
