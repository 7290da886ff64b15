#include "make-demo/proppictures.h"

#include "make-demo/keyedpicture.h"
#include "make-demo/landscapekit.h"

#include <QPainterPath>

namespace tw::demo {

namespace {

constexpr int kDoorW = 60;
constexpr int kDoorH = 90;
constexpr int kDoorStripCells = 50;
const QColor kInk(34, 24, 20);

// The outline of a doorway with a round top, inside the 60 x 90 cell with a one-pixel margin.
QPainterPath archway(const QRectF& r) {
    QPainterPath arch;
    arch.moveTo(r.bottomLeft());
    arch.lineTo(r.left(), r.top() + r.width() / 2);
    arch.arcTo(QRectF(r.left(), r.top(), r.width(), r.width()), 180, -180);
    arch.lineTo(r.bottomRight());
    arch.closeSubpath();
    return arch;
}

void paintStoneFrame(QPainter& p, const QRectF& outer, const QColor& stone) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(stone);
    p.drawPath(archway(outer));
}

void paintDarkPassage(QPainter& p, const QRectF& opening) {
    QLinearGradient dark(opening.topLeft(), opening.bottomLeft());
    dark.setColorAt(0, QColor(16, 12, 12));
    dark.setColorAt(1, QColor(70, 52, 36));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(dark);
    p.drawPath(archway(opening));
}

void paintPlanks(QPainter& p, const QRectF& opening, const QColor& wood, double plank) {
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(wood);
    p.drawPath(archway(opening));
    p.save();
    p.setClipPath(archway(opening));
    p.setPen(QPen(wood.darker(150), 1.0));
    for (double x = opening.left() + plank; x < opening.right(); x += plank)
        p.drawLine(QPointF(x, opening.top()), QPointF(x, opening.bottom()));
    p.restore();
}

void paintWoodDoor(QPainter& p, bool open) {
    const QRectF outer(2, 2, 56, 87), opening(9, 9, 42, 80);
    paintStoneFrame(p, outer, QColor(160, 150, 136));
    if (!open) {
        paintPlanks(p, opening, QColor(140, 88, 46), 7);
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(QColor(60, 56, 56));
        p.drawRect(QRectF(9, 34, 26, 4));
        p.drawRect(QRectF(9, 70, 26, 4));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(200, 170, 70), 2.0));
        p.drawEllipse(QPointF(43, 56), 3.5, 3.5);
        return;
    }
    // Open: the room beyond is lit; the door leaf stands swung inwards against the left jamb.
    QLinearGradient light(opening.topLeft(), opening.bottomLeft());
    light.setColorAt(0, QColor(250, 210, 120));
    light.setColorAt(1, QColor(170, 110, 60));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(light);
    p.drawPath(archway(opening));
    p.setBrush(QColor(110, 68, 36));
    p.drawPolygon(QPolygonF({QPointF(9, 24), QPointF(21, 30), QPointF(21, 84), QPointF(9, 89)}));
}

void paintGate(QPainter& p, bool open) {
    const QRectF outer(2, 2, 56, 87), opening(8, 8, 44, 81);
    paintStoneFrame(p, outer, QColor(112, 108, 112));
    if (open) {
        // Both leaves folded back into the passage.
        paintDarkPassage(p, opening);
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(QColor(74, 50, 34));
        p.drawPolygon(QPolygonF({QPointF(8, 30), QPointF(15, 34), QPointF(15, 84), QPointF(8, 89)}));
        p.drawPolygon(QPolygonF({QPointF(52, 30), QPointF(45, 34), QPointF(45, 84), QPointF(52, 89)}));
        return;
    }
    paintPlanks(p, opening, QColor(92, 62, 40), 5.5);
    p.setPen(QPen(kInk, 1.0));
    p.drawLine(QPointF(30, 8), QPointF(30, 89));
    p.setBrush(QColor(80, 80, 88));
    for (double y : {28.0, 52.0, 76.0}) p.drawRect(QRectF(8, y, 44, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 180, 190));
    for (double y : {30.0, 54.0, 78.0})
        for (double x = 11; x < 52; x += 6) p.drawEllipse(QPointF(x, y), 1.0, 1.0);
    p.setPen(QPen(QColor(200, 170, 70), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(25, 62), 3, 3);
    p.drawEllipse(QPointF(35, 62), 3, 3);
}

} // namespace

QImage paintDoorPicture(int k) {
    SpriteCanvas canvas(QSize(kDoorW, kDoorH));
    QPainter& p = canvas.painter();
    switch (k) {
    case kDoorWoodClosed: paintWoodDoor(p, false); break;
    case kDoorWoodOpen: paintWoodDoor(p, true); break;
    case kDoorGateClosed: paintGate(p, false); break;
    case kDoorGateOpen: paintGate(p, true); break;
    default: break;
    }
    return canvas.finish();
}

QImage paintDoorStrip() {
    QImage strip(kDoorW * kDoorStripCells, kDoorH, QImage::Format_RGB32);
    strip.fill(keyColour());
    for (int k = 1; k <= kDemoDoorPictureCount; ++k)
        placeSprite(strip, paintDoorPicture(k), QPoint((k - 1) * kDoorW, 0));
    return strip;
}

QImage paintStamp(int n) {
    QRandomGenerator rng(7000u + static_cast<quint32>(n));
    const QSize size = n == 1 ? QSize(140, 180) : n == 2 ? QSize(96, 64) : QSize(110, 70);
    SpriteCanvas canvas(size, 3);
    QPainter& p = canvas.painter();
    const QPointF foot(size.width() / 2.0, size.height() - 3.0);
    if (n == 1)
        paintTree(p, foot, size.height() - 6, false, rng);
    else if (n == 2)
        paintRock(p, foot, size.width() - 10, rng);
    else
        paintBush(p, foot, size.width() - 20, rng);
    return canvas.finish();
}

} // namespace tw::demo
