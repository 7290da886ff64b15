#include "make-demo/scenesprites.h"

#include "make-demo/demolayout.h"
#include "make-demo/keyedpicture.h"

#include <QPainterPath>
#include <QRandomGenerator>

#include <cmath>
#include <numbers>

namespace tw::demo {

namespace {

constexpr double kPi = std::numbers::pi;
const QColor kInk(40, 30, 28);

// One flame tongue: a teardrop from a base of `width` at (x, baseY) to a tip `height` above, bent by
// `lean` pixels.
QPainterPath flameTongue(double x, double baseY, double width, double height, double lean) {
    QPainterPath path;
    path.moveTo(x - width / 2, baseY);
    path.cubicTo(x - width / 2, baseY - height * 0.45, x + lean * 0.4 - width * 0.15, baseY - height * 0.7,
                 x + lean, baseY - height);
    path.cubicTo(x + lean * 0.4 + width * 0.2, baseY - height * 0.65, x + width / 2, baseY - height * 0.4,
                 x + width / 2, baseY);
    path.closeSubpath();
    return path;
}

// A flickering fire: three layers of tongues whose heights and leans change at random from frame to frame.
void paintFlames(QPainter& p, double centreX, double baseY, double spread, double height, int frame,
                 quint32 seed) {
    QRandomGenerator rng(seed + static_cast<quint32>(frame) * 7919u);
    const QColor layers[3] = {QColor(214, 58, 24), QColor(246, 140, 30), QColor(255, 226, 96)};
    const double scales[3] = {1.0, 0.72, 0.42};
    for (int layer = 0; layer < 3; ++layer) {
        p.setPen(Qt::NoPen);
        p.setBrush(layers[layer]);
        const int tongues = 4 - layer;
        for (int t = 0; t < tongues; ++t) {
            const double offset = tongues == 1 ? 0.0 : (t / double(tongues - 1) - 0.5) * spread * scales[layer];
            const double h = height * scales[layer] * (0.65 + 0.35 * rng.generateDouble()) *
                             (1.0 - std::abs(offset) / (spread * 1.4));
            const double lean = (rng.generateDouble() - 0.5) * spread * 0.5;
            p.drawPath(flameTongue(centreX + offset, baseY, spread * 0.55 * scales[layer] + 3, h, lean));
        }
    }
}

void paintCampfire(QPainter& p, int frame) {
    // Stones behind the fire, logs, the flames, sparks, then the stones in front.
    auto stone = [&](double x, double y, double r) {
        p.setPen(QPen(kInk, 0.7));
        p.setBrush(QColor(128, 124, 120));
        p.drawEllipse(QPointF(x, y), r * 1.25, r);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(168, 164, 158));
        p.drawEllipse(QPointF(x - r * 0.3, y - r * 0.35), r * 0.6, r * 0.4);
    };
    for (int i = 0; i < 5; ++i) stone(12 + i * 10, 52 - std::sin(i / 4.0 * kPi) * 4, 4.2);
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(QColor(112, 70, 38));
    p.save();
    p.translate(32, 52);
    p.rotate(-18);
    p.drawRoundedRect(QRectF(-18, -3.5, 36, 7), 3, 3);
    p.rotate(36);
    p.drawRoundedRect(QRectF(-18, -3.5, 36, 7), 3, 3);
    p.restore();
    paintFlames(p, 32, 54, 36, 50, frame, 11);
    QRandomGenerator rng(500u + static_cast<quint32>(frame));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 150));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(16 + rng.bounded(32), 3 + rng.bounded(14)), 1.0, 1.0);
    for (int i = 0; i < 5; ++i) stone(8 + i * 12, 56 + std::sin(i / 4.0 * kPi) * 1.5, 4.6);
}

void paintBird(QPainter& p, int frame, int count) {
    // A swallow seen from the side and a little below: the wings beat from high to low.
    const double beat = std::cos(2 * kPi * frame / count);
    const QPointF shoulder(22, 16);
    auto wing = [&](double side, const QColor& colour) {
        const QPointF tip(shoulder.x() + side * 19, shoulder.y() - beat * 11);
        const QPointF mid(shoulder.x() + side * 9, shoulder.y() - beat * 6 - 2.5);
        QPainterPath w;
        w.moveTo(shoulder + QPointF(-3.5, 0));
        w.quadTo(mid + QPointF(0, -2.5), tip);
        w.quadTo(mid + QPointF(side * 1.5, 3.5), shoulder + QPointF(3.5, 1.5));
        w.closeSubpath();
        p.setPen(QPen(kInk, 0.7));
        p.setBrush(colour);
        p.drawPath(w);
    };
    wing(-1, QColor(46, 48, 74));
    QPainterPath body;
    body.moveTo(4, 15);
    body.lineTo(10, 13);
    body.quadTo(24, 10, 33, 14);
    body.quadTo(26, 21, 10, 18);
    body.lineTo(3, 20);
    body.closeSubpath();
    p.setPen(QPen(kInk, 0.7));
    p.setBrush(QColor(58, 62, 96));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 226, 214));
    p.drawEllipse(QPointF(22, 17), 7, 2.2);
    p.setBrush(QColor(200, 60, 40));
    p.drawEllipse(QPointF(31, 15.5), 1.8, 1.5);
    p.setBrush(QColor(240, 170, 40));
    p.drawPolygon(QPolygonF({QPointF(34, 13.5), QPointF(38, 14.5), QPointF(34, 15.5)}));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(31, 13.2), 1.0, 1.0);
    wing(1, QColor(70, 76, 116));
}

void paintSmoke(QPainter& p, int frame, int count) {
    // Puffs rise on a steady conveyor: each frame moves every puff by the same share of the cycle, so the
    // loop closes without a jump. Near the top they grow pale and shrink away.
    constexpr int kPuffs = 5;
    for (int k = kPuffs - 1; k >= 0; --k) {
        double t = double(frame) / count / kPuffs + double(k) / kPuffs;
        t -= std::floor(t);
        const double y = 84 - t * 70;
        const double x = 20 + std::sin(t * 2 * kPi + 1.0) * 5 * t;
        double r = 3.5 + 9 * t;
        if (t > 0.8) r *= (1.0 - t) / 0.2;
        if (r < 1.0) continue;
        const int grey = 110 + int(t * 110);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(grey, grey, grey + 6));
        p.drawEllipse(QPointF(x, y), r, r * 0.85);
        p.setBrush(QColor(std::min(255, grey + 30), std::min(255, grey + 30), std::min(255, grey + 34)));
        p.drawEllipse(QPointF(x - r * 0.3, y - r * 0.3), r * 0.5, r * 0.4);
    }
}

void paintWindmillSails(QPainter& p, int frame) {
    // Four sails turn by 15 degrees a frame; six frames make a quarter turn, which looks like a full turn.
    p.translate(60, 60);
    p.rotate(frame * 15.0);
    for (int k = 0; k < 4; ++k) {
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(236, 224, 196));
        p.drawRect(QRectF(10, 2, 46, 12));
        p.setPen(QPen(QColor(150, 110, 70), 0.8));
        for (int i = 1; i < 6; ++i) p.drawLine(QPointF(10 + i * 7.7, 2), QPointF(10 + i * 7.7, 14));
        p.drawLine(QPointF(10, 8), QPointF(56, 8));
        p.setPen(QPen(kInk, 0.6));
        p.setBrush(QColor(120, 80, 46));
        p.drawRect(QRectF(2, -2, 55, 4));
        p.rotate(90);
    }
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(QColor(90, 60, 36));
    p.drawEllipse(QPointF(0, 0), 6, 6);
    p.setBrush(QColor(160, 120, 70));
    p.drawEllipse(QPointF(0, 0), 2.5, 2.5);
}

void paintFountain(QPainter& p, int frame, int count) {
    // The upper bowl on its pillar, a jet rising from it and four streams falling into the basin below;
    // the streams are dashed, and the dashes run along them from frame to frame.
    const QColor stone(170, 168, 160), stoneDark(120, 118, 112);
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(stone);
    p.drawRect(QRectF(40, 36, 10, 33));
    p.setBrush(stoneDark);
    p.drawRect(QRectF(40, 36, 3, 33));
    p.setBrush(stone);
    p.drawEllipse(QRectF(24, 28, 42, 11));
    p.setBrush(QColor(90, 150, 210));
    p.drawEllipse(QRectF(28, 29, 34, 5));
    const double shift = double(frame) / count;
    auto stream = [&](const QPainterPath& path, double width) {
        QPen body(QColor(120, 180, 235), width, Qt::SolidLine, Qt::RoundCap);
        p.setPen(body);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        QPen dash(QColor(232, 246, 255), width * 0.55, Qt::CustomDashLine, Qt::FlatCap);
        dash.setDashPattern({2.0, 3.0});
        dash.setDashOffset(-shift * 5.0);
        p.setPen(dash);
        p.drawPath(path);
    };
    QPainterPath jet;
    jet.moveTo(45, 30);
    jet.lineTo(45, 6);
    stream(jet, 2.6);
    for (double side : {-1.0, 1.0}) {
        for (double reach : {20.0, 36.0}) {
            QPainterPath fall;
            fall.moveTo(45 + side * (reach < 30 ? 2 : 16), reach < 30 ? 7 : 31);
            fall.quadTo(45 + side * reach * 0.9, reach < 30 ? -2 : 24, 45 + side * reach, 66);
            stream(fall, reach < 30 ? 1.8 : 1.6);
        }
    }
    QRandomGenerator rng(900u + static_cast<quint32>(frame));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 240, 255));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(8 + rng.bounded(74), 58 + rng.bounded(9)), 1.1, 1.1);
}

void paintTorch(QPainter& p, int frame) {
    // An iron bracket on the wall holding a torch, and its flame.
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(QColor(70, 66, 70));
    p.drawRect(QRectF(11, 54, 8, 8));
    p.setBrush(QColor(118, 76, 40));
    p.drawPolygon(QPolygonF({QPointF(12, 32), QPointF(18, 32), QPointF(16.5, 58), QPointF(13.5, 58)}));
    p.setBrush(QColor(80, 76, 80));
    p.drawPolygon(QPolygonF({QPointF(7, 27), QPointF(23, 27), QPointF(19, 35), QPointF(11, 35)}));
    paintFlames(p, 15, 29, 14, 27, frame, 77);
}

} // namespace

QSize sceneSpriteSize(int animation) {
    switch (animation) {
    case kAnimCampfire: return QSize(64, 64);
    case kAnimBird: return QSize(44, 30);
    case kAnimSmoke: return QSize(40, 90);
    case kAnimWindmill: return QSize(120, 120);
    case kAnimFountain: return QSize(90, 70);
    case kAnimTorch: return QSize(30, 64);
    default: return QSize();
    }
}

int sceneSpriteFrameCount(int animation) {
    switch (animation) {
    case kAnimCampfire: return 6;
    case kAnimBird: return 6;
    case kAnimSmoke: return 8;
    case kAnimWindmill: return 6;
    case kAnimFountain: return 4;
    case kAnimTorch: return 4;
    default: return 0;
    }
}

QImage paintSceneSprite(int animation, int frame) {
    const QSize size = sceneSpriteSize(animation);
    if (size.isEmpty()) return QImage();
    SpriteCanvas canvas(size);
    QPainter& p = canvas.painter();
    const int count = sceneSpriteFrameCount(animation);
    switch (animation) {
    case kAnimCampfire: paintCampfire(p, frame); break;
    case kAnimBird: paintBird(p, frame, count); break;
    case kAnimSmoke: paintSmoke(p, frame, count); break;
    case kAnimWindmill: paintWindmillSails(p, frame); break;
    case kAnimFountain: paintFountain(p, frame, count); break;
    case kAnimTorch: paintTorch(p, frame); break;
    default: break;
    }
    return canvas.finish();
}

} // namespace tw::demo
