#include "project/assetpaths.h"

#include <utility>

namespace tw {

AssetPaths::AssetPaths(std::string root) : root_(std::move(root)) {
    if (!root_.empty() && root_.back() != '/') root_ += '/';
}

std::string AssetPaths::cursor(int slot) const {
    if (slot < 1 || slot > 8) return {};
    return data(kCursorFileNames[slot - 1]);
}

} // namespace tw
