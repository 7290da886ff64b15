#include "make-demo/scenepainter.h"

#include "make-demo/demolayout.h"
#include "make-demo/landscapekit.h"
#include "project/projectrecord.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace tw::demo {

namespace {

constexpr int kW = kPlayWidth;
constexpr int kH = kPlayHeight;
constexpr int kFloorTop = 400;    // row 21: the back wall meets the floor
constexpr int kFloorBottom = 660; // rows 34..35 hold the balustrade
const QColor kInk(30, 24, 22);

void glow(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    QColor clear = colour;
    clear.setAlpha(0);
    g.setColorAt(1, clear);
    p.fillRect(QRectF(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2), g);
}

// Courses of dressed stone: blocks of random shade with dark joints, offset every other course.
QImage stoneWall(QSize size, int blockW, int blockH, const QColor& base, QRandomGenerator& rng) {
    QImage wall = noiseTexture(size, base, 10, 6, 10, rng);
    QPainter p(&wall);
    int course = 0;
    for (int y = 0; y < size.height(); y += blockH, ++course) {
        for (int x = -(course % 2) * blockW / 2; x < size.width(); x += blockW) {
            p.fillRect(QRect(x + 1, y + 1, blockW - 2, blockH - 2), QColor(0, 0, 0, rng.bounded(40)));
            p.fillRect(QRect(x + 1, y + 1, blockW - 2, 2), QColor(255, 255, 255, 28));
        }
        p.fillRect(QRect(0, y, size.width(), 1), QColor(40, 34, 30, 160));
        for (int x = -(course % 2) * blockW / 2; x < size.width(); x += blockW)
            p.fillRect(QRect(x, y, 1, blockH), QColor(40, 34, 30, 160));
    }
    return wall;
}

void paintWindow(QPainter& p, const QRectF& w) {
    QPainterPath arch;
    arch.moveTo(w.bottomLeft());
    arch.lineTo(w.left(), w.top() + w.width() / 2);
    arch.arcTo(QRectF(w.left(), w.top(), w.width(), w.width()), 180, -180);
    arch.lineTo(w.bottomRight());
    arch.closeSubpath();
    QLinearGradient glass(w.topLeft(), w.bottomLeft());
    glass.setColorAt(0, QColor(150, 190, 240));
    glass.setColorAt(1, QColor(90, 110, 190));
    p.setPen(QPen(QColor(70, 64, 60), 8));
    p.setBrush(glass);
    p.drawPath(arch);
    p.setPen(QPen(QColor(50, 46, 44), 2.5));
    p.drawLine(QPointF(w.center().x(), w.top()), QPointF(w.center().x(), w.bottom()));
    for (double y = w.top() + w.width() / 2 + 10; y < w.bottom(); y += 34) p.drawLine(QPointF(w.left(), y), QPointF(w.right(), y));
}

void paintBanner(QPainter& p, const QRectF& b, const QColor& cloth) {
    QPainterPath banner;
    banner.moveTo(b.topLeft());
    banner.lineTo(b.topRight());
    banner.lineTo(b.bottomRight());
    banner.lineTo(b.center().x(), b.bottom() - 22);
    banner.lineTo(b.bottomLeft());
    banner.closeSubpath();
    p.setPen(QPen(QColor(214, 170, 60), 3));
    p.setBrush(cloth);
    p.drawPath(banner);
    p.setPen(QPen(kInk, 3));
    p.drawLine(b.topLeft() + QPointF(-8, 0), b.topRight() + QPointF(8, 0));
    // A golden crown as the house's sign.
    const QPointF c(b.center().x(), b.top() + 60);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(236, 196, 70));
    p.drawPolygon(QPolygonF({c + QPointF(-16, 10), c + QPointF(-16, -8), c + QPointF(-8, 2), c + QPointF(0, -12),
                             c + QPointF(8, 2), c + QPointF(16, -8), c + QPointF(16, 10)}));
}

void paintPillar(QPainter& p, int left, int right) {
    QLinearGradient shade(left, 0, right, 0);
    shade.setColorAt(0, QColor(104, 98, 94));
    shade.setColorAt(0.35, QColor(190, 182, 172));
    shade.setColorAt(1, QColor(86, 80, 76));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(shade);
    p.drawRect(QRect(left + 3, 60, right - left - 6, kFloorTop + 20 - 60));
    p.drawRect(QRect(left - 6, 34, right - left + 12, 26));
    p.drawRect(QRect(left - 2, kFloorTop + 16, right - left + 4, 24));
    p.drawRect(QRect(left - 6, 0, right - left + 12, 34));
}

void paintThrone(QPainter& p) {
    // The dais with two steps, then the throne standing on it.
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(150, 140, 128));
    p.drawRect(QRect(420, 292, 180, kFloorTop - 292));
    p.setBrush(QColor(170, 160, 146));
    p.drawRect(QRect(430, 292, 160, 40));
    p.drawRect(QRect(430, 332, 160, 34));
    p.setBrush(QColor(186, 150, 60));
    p.drawRect(QRect(470, 150, 80, 150));
    p.setBrush(QColor(150, 30, 40));
    p.drawRect(QRect(482, 166, 56, 100));
    p.setBrush(QColor(186, 150, 60));
    p.drawPolygon(QPolygonF({QPointF(466, 150), QPointF(510, 120), QPointF(554, 150)}));
    p.drawRect(QRect(456, 250, 18, 50));
    p.drawRect(QRect(546, 250, 18, 50));
    p.setBrush(QColor(176, 40, 50));
    p.drawRoundedRect(QRect(474, 262, 72, 18), 6, 6);
    p.setBrush(QColor(236, 200, 80));
    for (QPointF c : {QPointF(465, 248), QPointF(555, 248), QPointF(510, 118)}) p.drawEllipse(c, 7, 7);
}

void paintFireplace(QPainter& p, QRandomGenerator& rng) {
    p.drawImage(866, 0, stoneWall(QSize(104, 300), 34, 20, QColor(146, 134, 122), rng));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(866, -1, 104, 301));
    p.setBrush(QColor(150, 140, 130));
    p.drawRect(QRect(856, 296, 122, 16));
    p.drawRect(QRect(860, 312, 20, kFloorTop - 312));
    p.drawRect(QRect(955, 312, 20, kFloorTop - 312));
    QLinearGradient inside(0, 312, 0, kFloorTop);
    inside.setColorAt(0, QColor(20, 14, 12));
    inside.setColorAt(1, QColor(60, 34, 20));
    p.setBrush(inside);
    p.drawRect(QRect(880, 312, 75, kFloorTop - 312));
}

void paintFloor(QPainter& p, const SceneLayout& layout, QRandomGenerator& rng) {
    // Flagstones that grow towards the viewer, then the carpet from the front to the throne.
    QImage flags = noiseTexture(QSize(kW, kH), QColor(168, 156, 138), 8, 5, 14, rng);
    {
        QPainter f(&flags);
        int row = 0;
        for (double y = kFloorTop - 120, h = 14; y < kFloorBottom; y += h, h *= 1.09, ++row) {
            const double tw = h * 3.2;
            for (double x = -(row % 2) * tw / 2; x < kW; x += tw) {
                f.fillRect(QRectF(x + 1, y + 1, tw - 2, h - 2), QColor(0, 0, 0, rng.bounded(36)));
                f.fillRect(QRectF(x, y, tw, 1.5), QColor(70, 62, 54));
                f.fillRect(QRectF(x, y, 1.5, h), QColor(70, 62, 54));
            }
        }
    }
    paintGround(p, layout, flags, 0, QColor(), rng);
    const QRect carpet(466, 300, 88, kFloorBottom - 300);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 170, 60));
    p.drawRect(carpet);
    p.setBrush(QColor(150, 28, 38));
    p.drawRect(carpet.adjusted(5, 0, -5, 0));
    p.setPen(QPen(QColor(214, 170, 60), 1.5, Qt::DashLine));
    p.drawLine(carpet.left() + 11, carpet.top(), carpet.left() + 11, carpet.bottom());
    p.drawLine(carpet.right() - 11, carpet.top(), carpet.right() - 11, carpet.bottom());
}

void paintBalustrade(QPainter& p) {
    p.fillRect(QRect(0, kFloorBottom, kW, kH - kFloorBottom), QColor(60, 52, 48));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(150, 140, 128));
    p.drawRect(QRect(0, kFloorBottom + 2, kW, 8));
    for (int x = 10; x < kW; x += 26) {
        QPainterPath baluster;
        baluster.moveTo(x, kH);
        baluster.cubicTo(x - 6, kH - 14, x + 2, kFloorBottom + 22, x + 2, kFloorBottom + 10);
        baluster.lineTo(x + 12, kFloorBottom + 10);
        baluster.cubicTo(x + 12, kFloorBottom + 22, x + 20, kH - 14, x + 14, kH);
        baluster.closeSubpath();
        p.drawPath(baluster);
    }
}

QPainterPath archPath(const QRectF& r) {
    QPainterPath arch;
    arch.moveTo(r.bottomLeft());
    arch.lineTo(r.left(), r.top() + r.width() / 2);
    arch.arcTo(QRectF(r.left(), r.top(), r.width(), r.width()), 180, -180);
    arch.lineTo(r.bottomRight());
    arch.closeSubpath();
    return arch;
}

// The treasury door stands in a deep recess of the back wall, framed by dressed stone; the door picture
// covers the opening.
void paintTreasuryRecess(QPainter& p, const DoorPlacement& door) {
    const QRectF picture = QRectF(doorPictureRect(door));
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(104, 96, 90));
    p.drawPath(archPath(picture.adjusted(-8, -8, 8, 0)));
    QLinearGradient dark(picture.topLeft(), picture.bottomLeft());
    dark.setColorAt(0, QColor(20, 16, 14));
    dark.setColorAt(1, QColor(60, 48, 40));
    p.setBrush(dark);
    p.drawPath(archPath(picture.adjusted(2, 2, -2, 0)));
}

// A low side door in the west wall leads out to the village; the floor runs on into its dark passage.
void paintSideDoor(QPainter& p, const SceneLayout& layout) {
    QRect cells;
    for (const QRect& r : layout.walkable)
        if (r.left() == 1) cells = cellsToPixels(r);
    if (cells.isEmpty()) return;
    const QRectF opening(cells.left() + 2, cells.top() - 44, cells.width() - 4, cells.height() + 44);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(120, 112, 104));
    p.drawPath(archPath(opening.adjusted(-2, -6, 4, 0)));
    QLinearGradient dark(opening.topLeft(), opening.bottomLeft());
    dark.setColorAt(0, QColor(12, 10, 10));
    dark.setColorAt(1, QColor(90, 78, 64));
    p.setBrush(dark);
    p.drawPath(archPath(opening));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 120, 60));
    p.drawEllipse(QPointF(opening.center().x(), opening.bottom() - 6), 14, 4);
}

} // namespace

QImage paintCastleHall(const SceneLayout& layout) {
    QImage image(kW, kH, QImage::Format_RGB32);
    QRandomGenerator rng(3003);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(0, 0, stoneWall(QSize(kW, kFloorTop), 48, 24, QColor(126, 116, 106), rng));
    paintGradient(p, QRect(0, 0, kW, 120), QColor(20, 16, 14, 200), QColor(20, 16, 14, 0));
    p.fillRect(QRect(0, 0, kW, 22), QColor(70, 46, 30));
    paintWindow(p, QRectF(70, 80, 70, 220));
    paintBanner(p, QRectF(252, 50, 50, 170), QColor(150, 30, 40));
    paintBanner(p, QRectF(716, 50, 50, 170), QColor(40, 60, 140));
    paintThrone(p);
    paintFireplace(p, rng);
    paintFloor(p, layout, rng);
    for (const DoorPlacement& door : layout.doors) paintTreasuryRecess(p, door);
    paintPillar(p, 180, 220);
    paintPillar(p, 800, 840);
    // Dark side walls frame the hall; the balustrade closes it towards the viewer.
    const QImage side = stoneWall(QSize(40, kH), 20, 24, QColor(86, 78, 72), rng);
    p.drawImage(0, 0, side);
    p.drawImage(980, 0, side);
    paintSideDoor(p, layout);
    paintBalustrade(p);
    paintCharacterShadows(p, layout);
    // Light: a beam from the window, warm glows of the torches and the hearth.
    QPainterPath beam;
    beam.moveTo(70, 150);
    beam.lineTo(140, 120);
    beam.lineTo(400, 560);
    beam.lineTo(250, 600);
    beam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 220, 255, 34));
    p.drawPath(beam);
    for (const SpotPlacement& spot : layout.spots) {
        if (isCharacterAnimation(spot.animation)) continue;
        const bool torch = spot.animation == kAnimTorch;
        glow(p, spot.topLeft + (torch ? QPointF(15, 24) : QPointF(32, 44)), torch ? 90 : 130,
             QColor(255, 180, 80, 90));
    }
    paintVignette(p, image.rect(), 110);
    return image;
}

} // namespace tw::demo
