#pragma once

#include "canvas/picture.h"

#include <string>

namespace tw {

class AssetPaths;
class PictureFiles;
struct ScreenState;

// The background file of a screen mode: the menu and help pictures, the scene picture of the current
// scene (applicator, passability and scene modes) or the animation sheet (animator). Empty for a mode
// that has no file.
std::string backgroundFileFor(const ScreenState& screen, const AssetPaths& paths);

// A scene without a picture of its own: 1009 x 700, silver.
Picture blankScenePicture();

// Loads backgroundPicture from the file of the current screen mode and draws it on the canvas with its
// top-left corner at sceneViewOffset. A mode without a file draws the picture already held. On a load
// failure the message is returned (empty on success) and a scene starts from a blank scene picture, so
// that no other picture (the menu, the sheet, another scene) is taken for it and saved over it; the
// other modes draw the picture held.
std::string reloadBackground(const ScreenState& screen, const AssetPaths& paths, PictureFiles& pictureFiles,
                         Picture& backgroundPicture, Picture& canvas);

} // namespace tw
