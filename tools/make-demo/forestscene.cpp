#include "make-demo/scenepainter.h"

#include "make-demo/demolayout.h"
#include "make-demo/landscapekit.h"
#include "project/projectrecord.h"

#include <QRadialGradient>

#include <cmath>

namespace tw::demo {

namespace {

constexpr int kW = kPlayWidth;
constexpr int kH = kPlayHeight;
constexpr int kMeadowTop = 318;
constexpr int kPathCentreX = 510; // the footpath into the forest, cells 25..27

void paintSkyAndDistance(QPainter& p, QRandomGenerator& rng) {
    paintGradient(p, QRect(0, 0, kW, kMeadowTop + 20), QColor(88, 150, 222), QColor(222, 236, 240));
    QRadialGradient sun(QPointF(170, 92), 110);
    sun.setColorAt(0.0, QColor(255, 252, 226));
    sun.setColorAt(0.18, QColor(255, 244, 190));
    sun.setColorAt(0.2, QColor(255, 240, 190, 120));
    sun.setColorAt(1.0, QColor(255, 240, 190, 0));
    p.fillRect(QRect(40, 0, 260, 220), sun);
    paintClouds(p, QRect(260, 30, kW - 300, 110), 5, rng);
    paintHills(p, kW, 262, 26, QColor(128, 166, 170), rng);
    paintHills(p, kW, 292, 16, QColor(96, 146, 110), rng);
}

void paintForestRows(QPainter& p, QRandomGenerator& rng, bool front) {
    // The back row is hazed over afterwards; the front row leaves a gap where the footpath enters.
    const int step = front ? 46 : 26;
    for (int x = -20; x < kW + 40; x += step + rng.bounded(front ? 24 : 14)) {
        if (front && std::abs(x - kPathCentreX) < 78) continue;
        const double foot = front ? 326 + rng.bounded(20) : 300 + rng.bounded(12);
        const double height = front ? 160 + rng.bounded(80) : 120 + rng.bounded(60);
        paintTree(p, QPointF(x, foot), height, !front || rng.bounded(3) != 0, rng);
    }
    if (!front) p.fillRect(QRect(0, 0, kW, kMeadowTop), QColor(200, 222, 232, 70));
}

void paintMeadow(QPainter& p, QRandomGenerator& rng) {
    const QImage meadow = noiseTexture(QSize(kW, kH - kMeadowTop), QColor(98, 150, 58), 16, 6, 22, rng);
    p.drawImage(0, kMeadowTop, meadow);
    QLinearGradient light(0, kMeadowTop, 0, kH);
    light.setColorAt(0, QColor(255, 255, 190, 40));
    light.setColorAt(1, QColor(0, 40, 0, 70));
    p.fillRect(QRect(0, kMeadowTop, kW, kH - kMeadowTop), light);
}

// The road, the clearing and the footpath, with wheel ruts, pebbles and the ash of the campfire.
void paintPaths(QPainter& p, const SceneLayout& layout, QRandomGenerator& rng) {
    const QImage dirt = noiseTexture(QSize(kW, kH), QColor(172, 134, 90), 18, 9, 14, rng);
    paintGround(p, layout, dirt, 14, QColor(88, 140, 54), rng);
    p.save();
    p.setBrush(Qt::NoBrush);
    for (double y : {556.0, 584.0}) {
        QPainterPath rut;
        rut.moveTo(0, y);
        for (int x = 0; x <= kW; x += 40) rut.lineTo(x, y + std::sin(x * 0.013 + y) * 2.5);
        p.setPen(QPen(QColor(138, 102, 66), 3.0));
        p.drawPath(rut);
        p.translate(0, 2.5);
        p.setPen(QPen(QColor(196, 160, 116), 1.2));
        p.drawPath(rut);
        p.translate(0, -2.5);
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 500; ++i) {
        const QPoint at(rng.bounded(kW), 300 + rng.bounded(300));
        if (!isWalkableCell(layout, at.x() / kCellSize + 1, at.y() / kCellSize + 1)) continue;
        const int g = 120 + rng.bounded(70);
        p.setBrush(QColor(g, g - 12, g - 26));
        p.drawEllipse(QPointF(at), 1.0 + rng.bounded(2), 0.8 + rng.bounded(2) * 0.6);
    }
    // Scorched earth under the fire.
    QRadialGradient ash(QPointF(510, 464), 40);
    ash.setColorAt(0, QColor(58, 46, 40));
    ash.setColorAt(0.7, QColor(92, 74, 60, 200));
    ash.setColorAt(1, QColor(120, 96, 70, 0));
    p.setBrush(ash);
    p.drawEllipse(QPointF(510, 464), 38, 15);
    // The forest casts its shade on the edge of the meadow and swallows the far end of the footpath.
    QLinearGradient shade(0, kMeadowTop - 22, 0, kMeadowTop + 30);
    shade.setColorAt(0, QColor(22, 48, 28, 225));
    shade.setColorAt(1, QColor(22, 48, 28, 0));
    p.fillRect(QRect(0, kMeadowTop - 22, kW, 52), shade);
    p.restore();
}

void paintMeadowLife(QPainter& p, const SceneLayout& layout, QRandomGenerator& rng) {
    auto onGround = [&](QPoint at) { return nearWalkable(layout, at, 5); };
    paintGrass(p, QRect(0, kMeadowTop + 10, kW, kH - kMeadowTop - 10), 9000, QColor(78, 138, 46), rng, onGround);
    paintFlowers(p, QRect(0, kMeadowTop + 30, kW, kH - kMeadowTop - 30), 420, rng,
                 [&](QPoint at) { return nearWalkable(layout, at, 9); });
    // Bushes, rocks and a stump only where the hero never walks.
    const QPointF bushes[] = {{110, 452}, {214, 506}, {868, 440}, {950, 512}, {60, 690}, {990, 694},
                              {410, 686}, {640, 694}, {790, 660}, {170, 664}, {300, 400}, {740, 404}};
    for (const QPointF& b : bushes)
        if (!nearWalkable(layout, b.toPoint(), 14)) paintBush(p, b, 52 + rng.bounded(30), rng);
    const QPointF rocks[] = {{300, 472}, {738, 470}, {660, 388}, {520, 664}, {40, 400}};
    for (const QPointF& r : rocks)
        if (!nearWalkable(layout, r.toPoint(), 8)) paintRock(p, r, 26 + rng.bounded(18), rng);
    p.save();
    p.setPen(QPen(QColor(40, 32, 26), 1.0));
    p.setBrush(QColor(126, 88, 52));
    p.drawRect(QRectF(760, 500, 26, 18));
    p.setBrush(QColor(196, 160, 110));
    p.drawEllipse(QRectF(760, 494, 26, 10));
    p.setPen(QPen(QColor(150, 112, 70), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(766, 496, 14, 6));
    p.restore();
}

} // namespace

QImage paintForestClearing(const SceneLayout& layout) {
    QImage image(kW, kH, QImage::Format_RGB32);
    QRandomGenerator rng(1001);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintSkyAndDistance(p, rng);
    paintForestRows(p, rng, false);
    paintMeadow(p, rng);
    paintForestRows(p, rng, true);
    paintPaths(p, layout, rng);
    paintMeadowLife(p, layout, rng);
    paintCharacterShadows(p, layout);
    paintVignette(p, image.rect(), 70);
    return image;
}

} // namespace tw::demo
