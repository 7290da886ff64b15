#include "make-demo/scenepainter.h"

#include "make-demo/demolayout.h"

namespace tw::demo {

QImage paintSceneBackground(int scene) {
    const SceneLayout& layout = sceneLayout(scene);
    switch (scene) {
    case 1: return paintForestClearing(layout);
    case 2: return paintVillageStreet(layout);
    default: return paintCastleHall(layout);
    }
}

} // namespace tw::demo
