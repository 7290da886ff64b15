#include "make-demo/scenepainter.h"

#include "make-demo/demolayout.h"
#include "make-demo/landscapekit.h"
#include "project/projectrecord.h"

#include <QPainterPath>

#include <cmath>

namespace tw::demo {

namespace {

constexpr int kW = kPlayWidth;
constexpr int kH = kPlayHeight;
constexpr int kStreetTop = 440;    // the house fronts stand on the street's top edge (row 23)
constexpr int kStreetBottom = 600; // the verge begins below row 30
const QColor kInk(40, 30, 26);

enum class Roof { Tiles, Thatch, Slate };

struct House {
    QRect wall; // wall from its top to the street
    int peakY;
    Roof roof;
    QColor plaster;
    bool timbered;
    QList<QRect> windows;
    QRect door;
    int chimneyX; // 0 = none
};

void paintRoof(QPainter& p, const House& h, QRandomGenerator& rng) {
    const double overhang = 16;
    const QPointF left(h.wall.left() - overhang, h.wall.top() + 6), right(h.wall.right() + overhang, h.wall.top() + 6);
    const QPointF peak(h.wall.center().x(), h.peakY);
    QPainterPath roof;
    roof.moveTo(left);
    roof.lineTo(peak);
    roof.lineTo(right);
    roof.closeSubpath();
    const QColor base = h.roof == Roof::Tiles ? QColor(178, 72, 50)
                        : h.roof == Roof::Thatch ? QColor(196, 160, 86) : QColor(92, 102, 124);
    p.save();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(base);
    p.drawPath(roof);
    p.setClipPath(roof);
    if (h.roof == Roof::Thatch) {
        for (int i = 0; i < 1400; ++i) {
            const QPointF at(left.x() + rng.bounded(int(right.x() - left.x())), h.peakY + rng.bounded(int(left.y() - h.peakY)));
            p.setPen(QPen(base.darker(110 + rng.bounded(40)), 1.0));
            p.drawLine(at, at + QPointF(rng.bounded(3) - 1, 7 + rng.bounded(5)));
        }
    } else {
        // Rows of tiles: scalloped for clay, straight for slate, each row a shade apart.
        const int rowH = h.roof == Roof::Tiles ? 10 : 8, tileW = h.roof == Roof::Tiles ? 14 : 18;
        int row = 0;
        for (int y = h.peakY; y < left.y() + rowH; y += rowH, ++row) {
            const QColor c = base.darker(100 + (row % 2) * 8);
            for (int x = int(left.x()) - (row % 2) * tileW / 2; x < right.x(); x += tileW) {
                p.setPen(QPen(base.darker(150), 1.0));
                p.setBrush(c.lighter(95 + rng.bounded(14)));
                if (h.roof == Roof::Tiles)
                    p.drawChord(QRectF(x, y - rowH, tileW, rowH * 2), 180 * 16, 180 * 16);
                else
                    p.drawRect(QRectF(x, y, tileW, rowH));
            }
        }
    }
    p.restore();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roof);
}

void paintWindow(QPainter& p, const QRect& w, const QColor& shutter) {
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(shutter);
    p.drawRect(QRect(w.left() - w.width() / 2 - 2, w.top(), w.width() / 2, w.height()));
    p.drawRect(QRect(w.right() + 3, w.top(), w.width() / 2, w.height()));
    p.setPen(QPen(shutter.darker(140), 1.0));
    for (int y = w.top() + 6; y < w.bottom(); y += 6) {
        p.drawLine(w.left() - w.width() / 2, y, w.left() - 4, y);
        p.drawLine(w.right() + 5, y, w.right() + w.width() / 2, y);
    }
    QLinearGradient glass(w.topLeft(), w.bottomRight());
    glass.setColorAt(0, QColor(250, 236, 170));
    glass.setColorAt(1, QColor(226, 170, 90));
    p.setPen(QPen(QColor(96, 64, 40), 3.0));
    p.setBrush(glass);
    p.drawRect(w);
    p.drawLine(w.center().x(), w.top(), w.center().x(), w.bottom());
    p.drawLine(w.left(), w.center().y(), w.right(), w.center().y());
    // A flower box under the window.
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(120, 80, 44));
    const QRect box(w.left() - 4, w.bottom() + 3, w.width() + 8, 8);
    p.drawRect(box);
    p.setPen(Qt::NoPen);
    for (int x = box.left() + 3; x < box.right(); x += 5) {
        p.setBrush(QColor(60, 130, 50));
        p.drawEllipse(QPointF(x, box.top() - 1), 3, 2.5);
        p.setBrush((x / 5) % 2 ? QColor(230, 60, 70) : QColor(250, 230, 90));
        p.drawEllipse(QPointF(x + 1, box.top() - 3), 1.8, 1.8);
    }
}

void paintDoor(QPainter& p, const QRect& d) {
    QPainterPath door;
    door.moveTo(d.bottomLeft() + QPointF(0, 1));
    door.lineTo(d.left(), d.top() + d.width() / 2);
    door.arcTo(QRectF(d.left(), d.top(), d.width(), d.width()), 180, -180);
    door.lineTo(d.bottomRight() + QPointF(1, 1));
    door.closeSubpath();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(118, 74, 40));
    p.drawPath(door);
    p.save();
    p.setClipPath(door);
    p.setPen(QPen(QColor(84, 50, 26), 1.0));
    for (int x = d.left() + 7; x < d.right(); x += 7) p.drawLine(x, d.top(), x, d.bottom());
    p.restore();
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(220, 180, 70));
    p.drawEllipse(QPointF(d.right() - 6, d.center().y() + 6), 2.2, 2.2);
    p.setBrush(QColor(150, 146, 138));
    p.drawRect(QRect(d.left() - 5, d.bottom() - 3, d.width() + 10, 4));
}

void paintHouse(QPainter& p, const House& h, QRandomGenerator& rng) {
    if (h.chimneyX > 0) {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(150, 76, 58));
        p.drawRect(QRect(h.chimneyX - 11, 152, 22, h.wall.top() - 140));
        p.setBrush(QColor(120, 60, 46));
        p.drawRect(QRect(h.chimneyX - 14, 148, 28, 8));
    }
    paintRoof(p, h, rng);
    const QImage plaster = noiseTexture(h.wall.size(), h.plaster, 8, 5, 12, rng);
    p.drawImage(h.wall.topLeft(), plaster);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(h.wall);
    if (h.timbered) {
        // Timber framing: sill, posts, a middle rail and braces in the open panels.
        p.setPen(QPen(QColor(92, 58, 34), 6.0, Qt::SolidLine, Qt::FlatCap));
        const int mid = h.wall.top() + h.wall.height() * 2 / 5;
        p.drawLine(h.wall.left(), h.wall.top() + 3, h.wall.right(), h.wall.top() + 3);
        p.drawLine(h.wall.left(), mid, h.wall.right(), mid);
        const int posts = h.wall.width() / 60;
        for (int i = 0; i <= posts; ++i) {
            const int x = h.wall.left() + 3 + (h.wall.width() - 6) * i / posts;
            p.drawLine(x, h.wall.top(), x, h.wall.bottom());
            if (i < posts && i % 2 == 0)
                p.drawLine(x, mid, x + (h.wall.width() - 6) / posts, h.wall.top() + 3);
        }
    }
    // The plinth of field stones along the street.
    p.setPen(QPen(kInk, 1.0));
    for (int x = h.wall.left(); x < h.wall.right(); x += 16) {
        const int g = 128 + rng.bounded(30);
        p.setBrush(QColor(g, g - 4, g - 12));
        p.drawRoundedRect(QRect(x, h.wall.bottom() - 14, std::min(16, h.wall.right() - x), 14), 3, 3);
    }
    const QColor shutters[] = {QColor(70, 120, 90), QColor(70, 100, 150), QColor(150, 70, 60)};
    for (int i = 0; i < h.windows.size(); ++i) paintWindow(p, h.windows[i], shutters[(h.wall.left() / 7 + i) % 3]);
    paintDoor(p, h.door);
}

void paintBackdrop(QPainter& p, QRandomGenerator& rng) {
    paintGradient(p, QRect(0, 0, kW, 340), QColor(112, 170, 232), QColor(250, 228, 196));
    paintClouds(p, QRect(40, 20, kW - 80, 90), 5, rng);
    paintHills(p, kW, 300, 20, QColor(140, 176, 150), rng);
    // The windmill's hill and its tower; the sails turn in front of the tower as an animation.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(112, 160, 88));
    p.drawEllipse(QPointF(860, 340), 280, 70);
    QPainterPath tower;
    tower.moveTo(832, 300);
    tower.lineTo(846, 156);
    tower.lineTo(874, 156);
    tower.lineTo(888, 300);
    tower.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(226, 214, 190));
    p.drawPath(tower);
    p.setBrush(QColor(140, 70, 50));
    p.drawPolygon(QPolygonF({QPointF(838, 160), QPointF(860, 118), QPointF(882, 160)}));
    p.setBrush(QColor(90, 64, 44));
    p.drawRect(QRect(852, 220, 16, 22));
    // A distant castle on a blue hill, seen through the gap of the alley.
    p.setBrush(QColor(150, 176, 186));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(490, 316), 120, 36);
    p.setBrush(QColor(128, 140, 164));
    p.drawRect(QRect(474, 262, 36, 34));
    p.drawRect(QRect(466, 250, 12, 46));
    p.drawRect(QRect(506, 246, 12, 50));
    p.setBrush(QColor(110, 96, 140));
    p.drawPolygon(QPolygonF({QPointF(464, 250), QPointF(472, 232), QPointF(480, 250)}));
    p.drawPolygon(QPolygonF({QPointF(504, 246), QPointF(512, 226), QPointF(520, 246)}));
}

void paintStreet(QPainter& p, const SceneLayout& layout, QRandomGenerator& rng) {
    // Grass between the houses and along the verge, then the cobbles over the walkable cells.
    const QImage grass = noiseTexture(QSize(kW, kH - 300), QColor(96, 146, 62), 14, 6, 20, rng);
    p.drawImage(0, 300, grass);
    QImage cobbles = noiseTexture(QSize(kW, kH), QColor(118, 106, 92), 10, 6, 16, rng);
    {
        // Rounded setts of warm grey and brown stone in offset rows; the morning sun lights the street
        // and the houses throw a band of shade over its upper edge.
        QPainter c(&cobbles);
        c.setRenderHint(QPainter::Antialiasing);
        c.setPen(QPen(QColor(92, 80, 68), 1.0));
        int row = 0;
        for (int y = 300; y < kStreetBottom + 10; y += 13, ++row) {
            for (int x = -(row % 3) * 7; x < kW; x += 17 + rng.bounded(8)) {
                const int g = 150 + rng.bounded(44), warm = rng.bounded(14);
                c.setBrush(QColor(g, g - 8 - warm, g - 22 - warm));
                c.drawRoundedRect(QRectF(x + 1, y + 1, 15 + rng.bounded(5), 11), 4, 4);
                c.setPen(Qt::NoPen);
                c.setBrush(QColor(255, 255, 240, 40));
                c.drawEllipse(QRectF(x + 4, y + 2.5, 7, 3));
                c.setPen(QPen(QColor(92, 80, 68), 1.0));
            }
        }
        QLinearGradient shade(0, kStreetTop, 0, kStreetTop + 46);
        shade.setColorAt(0, QColor(20, 16, 30, 110));
        shade.setColorAt(1, QColor(20, 16, 30, 0));
        c.fillRect(QRect(0, kStreetTop, kW, 46), shade);
        QLinearGradient alley(0, 330, 0, kStreetTop);
        alley.setColorAt(0, QColor(20, 16, 30, 130));
        alley.setColorAt(1, QColor(20, 16, 30, 60));
        c.fillRect(QRect(452, 300, 80, kStreetTop - 300), alley);
    }
    paintGround(p, layout, cobbles, 5, QColor(), rng);
    p.setPen(QPen(kInk, 1.0));
    for (int x = 0; x < kW; x += 24) {
        p.setBrush(QColor(160, 156, 148));
        p.drawRect(QRect(x, kStreetBottom, 24, 7));
    }
}

// The castle's outer wall closes the alley: a crenellated stretch of grey stone with a gateway whose
// arch matches the gate picture standing in it, and the dark passage behind.
void paintCastleWall(QPainter& p, const SceneLayout& layout, QRandomGenerator& rng) {
    const QRect gate = doorPictureRect(layout.doors.first());
    const QRect wall(gate.left() - 24, 290, gate.width() + 48, gate.bottom() + 1 - 290);
    p.save();
    p.drawImage(wall.topLeft(), noiseTexture(wall.size(), QColor(150, 146, 140), 10, 6, 10, rng));
    int course = 0;
    for (int y = wall.top(); y < wall.bottom(); y += 12, ++course) {
        p.fillRect(QRect(wall.left(), y, wall.width(), 1), QColor(70, 64, 60, 170));
        for (int x = wall.left() - (course % 2) * 11; x < wall.right(); x += 22)
            p.fillRect(QRect(std::max(x, wall.left()), y, 1, 12), QColor(70, 64, 60, 170));
    }
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(150, 146, 140));
    for (int x = wall.left(); x + 10 <= wall.right() + 1; x += 18) p.drawRect(QRect(x, wall.top() - 12, 11, 12));
    p.setBrush(Qt::NoBrush);
    p.drawRect(wall);
    // The gateway, a little wider than the gate's stone frame, and the dark passage in it.
    QPainterPath arch;
    const QRectF opening = QRectF(gate).adjusted(1, 1, -1, 1);
    arch.moveTo(opening.bottomLeft());
    arch.lineTo(opening.left(), opening.top() + opening.width() / 2);
    arch.arcTo(QRectF(opening.left(), opening.top(), opening.width(), opening.width()), 180, -180);
    arch.lineTo(opening.bottomRight());
    arch.closeSubpath();
    QLinearGradient dark(opening.topLeft(), opening.bottomLeft());
    dark.setColorAt(0, QColor(14, 12, 14));
    dark.setColorAt(1, QColor(64, 56, 50));
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(dark);
    p.drawPath(arch);
    // A shield with the king's crown over the gateway.
    p.setBrush(QColor(44, 64, 146));
    const QPointF c(gate.center().x() + 0.5, wall.top() + 10);
    p.drawPolygon(
        QPolygonF({c + QPointF(-9, -8), c + QPointF(9, -8), c + QPointF(9, 2), c + QPointF(0, 10), c + QPointF(-9, 2)}));
    p.setBrush(QColor(236, 196, 70));
    p.setPen(QPen(kInk, 0.6));
    p.drawPolygon(QPolygonF({c + QPointF(-5, 2), c + QPointF(-5, -4), c + QPointF(-2.5, -1), c + QPointF(0, -5),
                             c + QPointF(2.5, -1), c + QPointF(5, -4), c + QPointF(5, 2)}));
    p.restore();
}

// The merchant's crate of wares beside him: apples, and a few gems catching the light.
void paintWaresCrate(QPainter& p, QRandomGenerator& rng) {
    p.save();
    const QRectF crate(962, 446, 38, 32);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(150, 104, 58));
    p.drawRect(crate);
    p.setPen(QPen(QColor(104, 68, 36), 1.0));
    for (double y = crate.top() + 8; y < crate.bottom(); y += 8)
        p.drawLine(QPointF(crate.left() + 1, y), QPointF(crate.right() - 1, y));
    p.setPen(QPen(kInk, 0.8));
    for (int i = 0; i < 7; ++i) {
        p.setBrush(i % 3 == 2 ? QColor(80, 170, 60) : QColor(210, 40, 36));
        p.drawEllipse(QPointF(crate.left() + 5 + i * 4.8, crate.top() - 1 - rng.bounded(3)), 3.6, 3.4);
    }
    p.setBrush(QColor(90, 170, 250));
    for (double x : {crate.left() + 10.0, crate.left() + 26.0})
        p.drawPolygon(
            QPolygonF({QPointF(x, crate.top() - 6), QPointF(x + 4, crate.top() - 6), QPointF(x + 2, crate.top() - 2)}));
    p.restore();
}

void paintForeground(QPainter& p, const SceneLayout& layout, QRandomGenerator& rng) {
    // The fountain's basin, where the water of the fountain animation falls.
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(150, 148, 140));
    p.drawRect(QRectF(722, 500, 96, 26));
    p.drawEllipse(QRectF(722, 514, 96, 24));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(723, 500, 94, 26));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(176, 174, 166));
    p.drawEllipse(QRectF(720, 484, 100, 32));
    p.setBrush(QColor(80, 140, 200));
    p.drawEllipse(QRectF(728, 489, 84, 22));
    p.setPen(QPen(QColor(200, 230, 250), 1.0));
    p.drawArc(QRectF(740, 493, 40, 10), 200 * 16, 100 * 16);
    // Verge, fence and flowers in front of the street.
    auto skip = [&](QPoint at) { return nearWalkable(layout, at, 4) || at.y() < kStreetBottom + 8; };
    paintGrass(p, QRect(0, kStreetBottom + 8, kW, kH - kStreetBottom - 8), 3000, QColor(80, 140, 50), rng, skip);
    paintFlowers(p, QRect(0, kStreetBottom + 14, kW, kH - kStreetBottom - 14), 160, rng, skip);
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(150, 110, 70));
    p.drawRect(QRect(0, 652, kW, 6));
    p.drawRect(QRect(0, 674, kW, 6));
    for (int x = 14; x < kW; x += 56) {
        p.setBrush(QColor(136, 98, 60));
        p.drawPolygon(QPolygonF({QPointF(x, 696), QPointF(x, 640), QPointF(x + 5, 634), QPointF(x + 10, 640),
                                 QPointF(x + 10, 696)}));
    }
    paintBush(p, QPointF(70, 700), 90, rng);
    paintBush(p, QPointF(620, 702), 80, rng);
    paintBush(p, QPointF(960, 700), 90, rng);
    // A lamp post between the first two houses and barrels by the third.
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(50, 50, 56));
    p.drawRect(QRect(279, 300, 5, 140));
    p.drawRect(QRect(274, 436, 15, 5));
    p.setBrush(QColor(250, 220, 130));
    p.drawPolygon(QPolygonF({QPointF(272, 286), QPointF(291, 286), QPointF(287, 302), QPointF(276, 302)}));
    p.setBrush(QColor(50, 50, 56));
    p.drawPolygon(QPolygonF({QPointF(270, 287), QPointF(281, 277), QPointF(293, 287)}));
    for (int i = 0; i < 2; ++i) {
        const QRectF barrel(676 + i * 24, 408, 22, 32);
        p.setBrush(QColor(140, 92, 50));
        p.drawRoundedRect(barrel, 6, 4);
        p.setPen(QPen(QColor(70, 60, 56), 2.0));
        p.drawLine(barrel.topLeft() + QPointF(2, 8), barrel.topRight() + QPointF(-2, 8));
        p.drawLine(barrel.bottomLeft() + QPointF(2, -8), barrel.bottomRight() + QPointF(-2, -8));
        p.setPen(QPen(kInk, 1.0));
    }
}

} // namespace

QImage paintVillageStreet(const SceneLayout& layout) {
    QImage image(kW, kH, QImage::Format_RGB32);
    QRandomGenerator rng(2002);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackdrop(p, rng);
    paintStreet(p, layout, rng);
    const House houses[] = {
        {QRect(20, 270, 250, kStreetTop - 270), 165, Roof::Tiles, QColor(236, 224, 196), true,
         {QRect(48, 320, 34, 40), QRect(196, 320, 34, 40)}, QRect(124, 372, 40, 68), 231},
        {QRect(292, 300, 160, kStreetTop - 300), 215, Roof::Thatch, QColor(224, 210, 180), false,
         {QRect(320, 340, 32, 38)}, QRect(392, 376, 38, 64), 0},
        {QRect(528, 262, 184, kStreetTop - 262), 160, Roof::Slate, QColor(214, 196, 168), true,
         {QRect(556, 312, 32, 40), QRect(634, 312, 32, 40)}, QRect(596, 372, 38, 68), 0},
        {QRect(732, 338, 290, kStreetTop - 338), 268, Roof::Tiles, QColor(230, 214, 190), false,
         {QRect(770, 366, 34, 36), QRect(930, 366, 34, 36)}, QRect(852, 380, 38, 60), 0},
    };
    paintCastleWall(p, layout, rng);
    for (const House& h : houses) paintHouse(p, h, rng);
    paintForeground(p, layout, rng);
    paintWaresCrate(p, rng);
    paintCharacterShadows(p, layout);
    paintVignette(p, image.rect(), 60);
    return image;
}

} // namespace tw::demo
