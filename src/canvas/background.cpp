#include "canvas/background.h"

#include "canvas/blit.h"
#include "canvas/picturefiles.h"
#include "canvas/screenstate.h"
#include "project/assetpaths.h"
#include "project/projectrecord.h"

namespace tw {

std::string backgroundFileFor(const ScreenState& screen, const AssetPaths& paths) {
    switch (screen.screenMode) {
    case ScreenMode::Menu:
        return paths.data("menu");
    case ScreenMode::Help:
        return paths.data("help");
    case ScreenMode::Applicator:
    case ScreenMode::Passability:
    case ScreenMode::Scene:
        return paths.scene(screen.currentScene);
    case ScreenMode::Animator:
        return paths.data("anim");
    }
    return {};
}

Picture blankScenePicture() {
    Picture picture(kPlayWidth, kPlayHeight);
    picture.fill(rgb(0xC0, 0xC0, 0xC0));
    return picture;
}

std::string reloadBackground(const ScreenState& screen, const AssetPaths& paths, PictureFiles& pictureFiles,
                         Picture& backgroundPicture, Picture& canvas) {
    const std::string file = backgroundFileFor(screen, paths);
    std::string message;
    if (!file.empty()) message = pictureFiles.load(file, backgroundPicture);
    const bool isScene = screen.screenMode == ScreenMode::Applicator || screen.screenMode == ScreenMode::Passability ||
                         screen.screenMode == ScreenMode::Scene;
    if (!message.empty() && isScene) backgroundPicture = blankScenePicture();
    drawOpaque(canvas, backgroundPicture, screen.sceneViewOffset);
    return message;
}

} // namespace tw
