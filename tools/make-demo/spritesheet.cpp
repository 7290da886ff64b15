#include "make-demo/spritesheet.h"

#include "make-demo/characterpainter.h"
#include "make-demo/demolayout.h"
#include "make-demo/heropainter.h"
#include "make-demo/keyedpicture.h"
#include "make-demo/scenesprites.h"

#include <functional>

namespace tw::demo {

namespace {

constexpr int kSheetWidth = 1009;
constexpr int kGap = 2; // key-coloured space between cells, so no frame touches its neighbour

struct PendingAnimation {
    QSize frameSize;
    int frameCount;
    std::function<QImage(int)> paint;
};

PendingAnimation hero(HeroView view, bool walking, int frames) {
    return {kHeroFrameSize, frames,
            [=](int frame) { return paintHeroFrame(view, walking, frame, frames); }};
}

QList<PendingAnimation> demoAnimations() {
    QList<PendingAnimation> list(kDemoAnimationCount);
    // Standing is the front view breathing; walking up shows his back and walking down his face.
    list[kAnimHeroStand - 1] = hero(HeroView::Front, false, 4);
    list[kAnimHeroLeft - 1] = hero(HeroView::Left, true, 6);
    list[kAnimHeroRight - 1] = hero(HeroView::Right, true, 6);
    list[kAnimHeroUp - 1] = hero(HeroView::Back, true, 6);
    list[kAnimHeroDown - 1] = hero(HeroView::Front, true, 6);
    for (int a = kAnimCampfire; a <= kAnimTorch; ++a)
        list[a - 1] = {sceneSpriteSize(a), sceneSpriteFrameCount(a), [a](int frame) {
                           return paintSceneSprite(a, frame);
                       }};
    for (int a = kAnimHermit; a <= kAnimGuard; ++a)
        list[a - 1] = {kCharacterFrameSize, kCharacterFrameCount,
                       [a](int frame) { return paintCharacterFrame(a, frame); }};
    return list;
}

} // namespace

SpriteSheet buildSpriteSheet() {
    const QList<PendingAnimation> pending = demoAnimations();
    SpriteSheet sheet;
    // Shelf packing: frames go left to right, a new shelf starts when a frame would pass the right edge.
    QList<QList<QRect>> rects;
    int x = kGap, y = kGap, shelfHeight = 0;
    for (const PendingAnimation& a : pending) {
        // An animation that fits on one shelf is kept together, which makes the sheet easy to read.
        const int rowWidth = a.frameCount * (a.frameSize.width() + kGap);
        bool newShelf = x + rowWidth > kSheetWidth && x > kGap;
        QList<QRect> frames;
        for (int f = 0; f < a.frameCount; ++f) {
            if (newShelf || x + a.frameSize.width() + kGap > kSheetWidth) {
                newShelf = false;
                x = kGap;
                y += shelfHeight + kGap;
                shelfHeight = 0;
            }
            frames.append(QRect(QPoint(x, y), a.frameSize));
            x += a.frameSize.width() + kGap;
            shelfHeight = std::max(shelfHeight, a.frameSize.height());
        }
        rects.append(frames);
    }
    sheet.picture = QImage(kSheetWidth, y + shelfHeight + kGap, QImage::Format_RGB32);
    sheet.picture.fill(keyColour());
    for (int a = 0; a < pending.size(); ++a)
        for (int f = 0; f < rects[a].size(); ++f)
            placeSprite(sheet.picture, pending[a].paint(f), rects[a][f].topLeft());
    sheet.animations = rects;
    return sheet;
}

} // namespace tw::demo
