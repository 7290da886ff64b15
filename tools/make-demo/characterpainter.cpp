#include "make-demo/characterpainter.h"

#include "make-demo/demolayout.h"
#include "make-demo/keyedpicture.h"

#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace tw::demo {

namespace {

// Drawn in the 48 x 84 units of the frame; the soles fill row 82, row 83 stays key.
constexpr double kGround = 83.0;
constexpr double kCentre = 24.0;
const QColor kOutline(45, 30, 25);
const QColor kSkin(244, 204, 168);
const QColor kSkinShade(222, 172, 138);

QPen outlinePen(double width = 0.8) {
    QPen pen(kOutline, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void blob(QPainter& p, const QPainterPath& path, const QColor& fill, double pen = 0.8) {
    p.setPen(outlinePen(pen));
    p.setBrush(fill);
    p.drawPath(path);
}

void limb(QPainter& p, QPointF a, QPointF b, double width, const QColor& colour) {
    p.setPen(QPen(kOutline, width + 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
}

void disc(QPainter& p, QPointF centre, double rx, double ry, const QColor& fill) {
    p.setPen(outlinePen());
    p.setBrush(fill);
    p.drawEllipse(centre, rx, ry);
}

// A garment from the shoulders down: a trapezoid with a rounded hem.
QPainterPath garment(double topY, double topHalf, double bottomY, double bottomHalf) {
    QPainterPath path;
    path.moveTo(kCentre - topHalf, topY + 1.0);
    path.quadTo(kCentre, topY - 2.0, kCentre + topHalf, topY + 1.0);
    path.lineTo(kCentre + bottomHalf, bottomY);
    path.quadTo(kCentre, bottomY + 2.0, kCentre - bottomHalf, bottomY);
    path.closeSubpath();
    return path;
}

// Where the cycle stands: the breath lifts the upper body by a fraction of a pixel; the eyes close for
// two frames near the end.
struct Pose {
    double breath;
    bool blink;
    double phase;
};

Pose poseOf(int frame) {
    const double phase = 2.0 * std::numbers::pi * frame / kCharacterFrameCount;
    return {0.7 * (1.0 - std::cos(phase)), frame == kCharacterFrameCount - 4 || frame == kCharacterFrameCount - 3,
            phase};
}

void eyes(QPainter& p, QPointF head, const Pose& pose, double spread = 2.8) {
    p.setBrush(kOutline);
    if (pose.blink) {
        p.setPen(QPen(kOutline, 0.7));
        p.drawLine(head + QPointF(-spread - 1.0, 1.2), head + QPointF(-spread + 1.0, 1.2));
        p.drawLine(head + QPointF(spread - 1.0, 1.2), head + QPointF(spread + 1.0, 1.2));
        return;
    }
    p.setPen(Qt::NoPen);
    p.drawEllipse(head + QPointF(-spread, 1.0), 1.0, 1.25);
    p.drawEllipse(head + QPointF(spread, 1.0), 1.0, 1.25);
}

void shoes(QPainter& p, const QColor& colour, double spread = 4.5) {
    for (double side : {-1.0, 1.0}) {
        QPainterPath shoe;
        shoe.addRoundedRect(QRectF(kCentre + side * spread - 3.6, kGround - 4.2, 7.2, 4.2), 1.8, 1.8);
        blob(p, shoe, colour);
    }
}

// --- the hermit: a grey robe with a rope belt, a long white beard, a staff -------------------------------

void paintHermit(QPainter& p, const Pose& pose) {
    const QColor robe(126, 108, 88), robeShade(100, 84, 66), beard(238, 236, 228), staff(122, 84, 44);
    const double shoulderY = 37.0 - pose.breath;
    shoes(p, QColor(110, 76, 44), 4.0);
    limb(p, QPointF(40, 12), QPointF(40, kGround - 3.0), 2.6, staff);
    disc(p, QPointF(40, 11), 2.6, 2.6, staff.lighter(120));
    blob(p, garment(shoulderY, 8.0, kGround - 3.0, 12.5), robe);
    p.setPen(QPen(robeShade, 1.0));
    p.drawLine(QPointF(kCentre - 3.0, shoulderY + 16.0), QPointF(kCentre - 5.0, kGround - 4.0));
    p.drawLine(QPointF(kCentre + 3.0, shoulderY + 16.0), QPointF(kCentre + 5.0, kGround - 4.0));
    p.setPen(QPen(QColor(196, 160, 100), 1.6));
    p.drawLine(QPointF(kCentre - 9.0, shoulderY + 15.0), QPointF(kCentre + 9.0, shoulderY + 15.0));
    p.drawLine(QPointF(kCentre + 2.0, shoulderY + 15.0), QPointF(kCentre + 3.0, shoulderY + 24.0));
    // The left arm hangs in its wide sleeve; the right one holds the staff.
    limb(p, QPointF(kCentre - 8.0, shoulderY + 2.0), QPointF(kCentre - 10.5, shoulderY + 19.0), 4.6, robe);
    disc(p, QPointF(kCentre - 10.5, shoulderY + 20.5), 2.2, 2.2, kSkin);
    limb(p, QPointF(kCentre + 8.0, shoulderY + 2.0), QPointF(38.0, shoulderY + 12.0), 4.6, robe);
    disc(p, QPointF(39.5, shoulderY + 12.5), 2.3, 2.3, kSkin);
    const QPointF head(kCentre, shoulderY - 9.5);
    disc(p, head, 7.2, 7.6, kSkin);
    // White hair at the sides of a bald crown, bushy brows, a long beard hiding the chest.
    disc(p, head + QPointF(-6.6, 0.5), 2.2, 3.2, beard);
    disc(p, head + QPointF(6.6, 0.5), 2.2, 3.2, beard);
    QPainterPath beardPath;
    beardPath.moveTo(head + QPointF(-6.2, 2.0));
    beardPath.cubicTo(head + QPointF(-7.0, 12.0), head + QPointF(-3.0, 20.0), head + QPointF(0.0, 24.0));
    beardPath.cubicTo(head + QPointF(3.0, 20.0), head + QPointF(7.0, 12.0), head + QPointF(6.2, 2.0));
    beardPath.quadTo(head + QPointF(0.0, 6.0), head + QPointF(-6.2, 2.0));
    blob(p, beardPath, beard, 0.6);
    p.setPen(QPen(QColor(200, 198, 190), 0.6));
    for (double x : {-2.5, 0.0, 2.5}) p.drawLine(head + QPointF(x, 8.0), head + QPointF(x * 0.6, 17.0));
    eyes(p, head, pose, 2.6);
    p.setPen(QPen(beard.darker(130), 1.2));
    p.drawLine(head + QPointF(-4.2, -1.6), head + QPointF(-1.4, -1.0));
    p.drawLine(head + QPointF(4.2, -1.6), head + QPointF(1.4, -1.0));
    disc(p, head + QPointF(0.0, 3.2), 1.4, 1.2, kSkinShade);
}

// --- the herb woman: a green dress, a white apron, a red kerchief, a basket of herbs ----------------------

void paintHerbalist(QPainter& p, const Pose& pose) {
    const QColor dress(70, 124, 84), apron(240, 234, 214), kerchief(200, 50, 50), basket(176, 126, 64);
    const double shoulderY = 39.0 - pose.breath;
    shoes(p, QColor(90, 56, 34), 3.6);
    blob(p, garment(shoulderY, 7.0, kGround - 3.0, 13.0), dress);
    QPainterPath apronPath;
    apronPath.addRoundedRect(QRectF(kCentre - 7.0, shoulderY + 11.0, 14.0, kGround - shoulderY - 17.0), 2.0, 2.0);
    blob(p, apronPath, apron, 0.6);
    p.setPen(QPen(QColor(200, 60, 70), 1.0));
    p.drawLine(QPointF(kCentre - 5.0, kGround - 9.0), QPointF(kCentre + 5.0, kGround - 9.0));
    // The basket hangs on her left arm (to the viewer's right), herbs sticking out of it.
    limb(p, QPointF(kCentre + 7.0, shoulderY + 2.0), QPointF(kCentre + 10.0, shoulderY + 13.0), 4.0, dress);
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(kCentre + 6.0, shoulderY + 8.0, 14.0, 14.0), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(i % 2 ? QColor(90, 170, 70) : QColor(60, 140, 60));
        p.drawEllipse(QPointF(kCentre + 8.5 + i * 2.3, shoulderY + 14.0 - (i % 2) * 1.5), 1.8, 3.0);
    }
    p.setBrush(QColor(250, 220, 80));
    p.drawEllipse(QPointF(kCentre + 11.0, shoulderY + 12.0), 1.3, 1.3);
    QPainterPath basketPath;
    basketPath.addRoundedRect(QRectF(kCentre + 6.0, shoulderY + 15.0, 14.0, 8.0), 2.0, 2.0);
    blob(p, basketPath, basket, 0.7);
    p.setPen(QPen(basket.darker(140), 0.6));
    for (double x = kCentre + 8.5; x < kCentre + 19.0; x += 2.5)
        p.drawLine(QPointF(x, shoulderY + 15.5), QPointF(x, shoulderY + 22.5));
    disc(p, QPointF(kCentre + 10.5, shoulderY + 14.0), 2.1, 2.1, kSkin);
    // The right arm rests on the apron.
    limb(p, QPointF(kCentre - 7.0, shoulderY + 2.0), QPointF(kCentre - 4.0, shoulderY + 15.0), 4.0, dress);
    disc(p, QPointF(kCentre - 3.5, shoulderY + 16.0), 2.1, 2.1, kSkin);
    const QPointF head(kCentre, shoulderY - 9.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kSkin);
    p.drawRect(QRectF(kCentre - 2.0, shoulderY - 3.0, 4.0, 4.0));
    disc(p, head, 7.0, 7.4, kSkin);
    // A braid falls over her right shoulder; the kerchief covers her hair and is knotted under the chin.
    p.setPen(QPen(kOutline, 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(head + QPointF(-6.0, 2.0), head + QPointF(-8.0, 14.0));
    p.setPen(QPen(QColor(150, 96, 48), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(head + QPointF(-6.0, 2.0), head + QPointF(-8.0, 14.0));
    QPainterPath scarf;
    scarf.moveTo(head + QPointF(-8.2, 3.0));
    scarf.cubicTo(head + QPointF(-9.0, -10.0), head + QPointF(9.0, -10.0), head + QPointF(8.2, 3.0));
    scarf.quadTo(head + QPointF(0.0, -3.5), head + QPointF(-8.2, 3.0));
    blob(p, scarf, kerchief);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 240, 230));
    for (QPointF dot : {QPointF(-4.0, -4.0), QPointF(0.0, -5.5), QPointF(4.0, -4.0), QPointF(-6.0, 0.0),
                        QPointF(6.0, 0.0)})
        p.drawEllipse(head + dot, 0.8, 0.8);
    eyes(p, head, pose, 2.7);
    p.setBrush(QColor(236, 140, 130));
    p.drawEllipse(head + QPointF(-4.3, 3.6), 1.4, 0.9);
    p.drawEllipse(head + QPointF(4.3, 3.6), 1.4, 0.9);
    p.setPen(QPen(kOutline, 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(head.x() - 2.0, head.y() + 2.6, 4.0, 2.6), 200 * 16, 140 * 16);
}

// --- the merchant: a stout man in a red coat with a golden sash, a turban and a black moustache ------------

void paintMerchant(QPainter& p, const Pose& pose) {
    const QColor coat(168, 40, 44), trim(232, 190, 70), turban(240, 236, 220), trousers(60, 44, 70);
    const double shoulderY = 38.0 - pose.breath;
    shoes(p, QColor(70, 40, 24), 5.0);
    limb(p, QPointF(kCentre - 5.0, kGround - 14.0), QPointF(kCentre - 5.0, kGround - 4.0), 5.6, trousers);
    limb(p, QPointF(kCentre + 5.0, kGround - 14.0), QPointF(kCentre + 5.0, kGround - 4.0), 5.6, trousers);
    QPainterPath body;
    body.moveTo(kCentre - 10.0, shoulderY + 1.0);
    body.quadTo(kCentre, shoulderY - 2.0, kCentre + 10.0, shoulderY + 1.0);
    body.cubicTo(kCentre + 17.0, shoulderY + 14.0, kCentre + 16.0, kGround - 16.0, kCentre + 13.0, kGround - 12.0);
    body.quadTo(kCentre, kGround - 9.0, kCentre - 13.0, kGround - 12.0);
    body.cubicTo(kCentre - 16.0, kGround - 16.0, kCentre - 17.0, shoulderY + 14.0, kCentre - 10.0, shoulderY + 1.0);
    blob(p, body, coat);
    p.setPen(QPen(trim, 1.6));
    p.drawLine(QPointF(kCentre, shoulderY + 1.0), QPointF(kCentre, kGround - 10.0));
    QPainterPath sash;
    sash.addRoundedRect(QRectF(kCentre - 14.5, shoulderY + 17.0, 29.0, 5.0), 2.0, 2.0);
    blob(p, sash, trim, 0.6);
    // Both hands before his belly, the right one showing a little blue gem; they rub as he breathes.
    const double rub = 0.8 * std::sin(pose.phase * 2.0);
    limb(p, QPointF(kCentre - 10.0, shoulderY + 3.0), QPointF(kCentre - 5.0 + rub, shoulderY + 14.0), 4.4, coat);
    limb(p, QPointF(kCentre + 10.0, shoulderY + 3.0), QPointF(kCentre + 5.0 - rub, shoulderY + 14.0), 4.4, coat);
    disc(p, QPointF(kCentre - 3.5 + rub, shoulderY + 14.5), 2.3, 2.3, kSkin);
    disc(p, QPointF(kCentre + 3.5 - rub, shoulderY + 14.5), 2.3, 2.3, kSkin);
    p.setPen(QPen(QColor(20, 60, 130), 0.5));
    p.setBrush(QColor(90, 170, 250));
    const QPointF gem(kCentre + 4.5 - rub, shoulderY + 10.5);
    p.drawPolygon(QPolygonF({gem + QPointF(-1.5, 0.0), gem + QPointF(1.5, 0.0), gem + QPointF(0.0, 2.5)}));
    const QPointF head(kCentre, shoulderY - 9.0);
    disc(p, head, 7.6, 7.6, QColor(230, 186, 146));
    eyes(p, head, pose, 2.9);
    disc(p, head + QPointF(0.0, 2.6), 1.6, 1.4, QColor(210, 160, 120));
    QPainterPath moustache;
    moustache.moveTo(head + QPointF(0.0, 4.0));
    moustache.cubicTo(head + QPointF(-3.0, 2.8), head + QPointF(-6.5, 4.0), head + QPointF(-7.0, 6.5));
    moustache.cubicTo(head + QPointF(-4.5, 5.5), head + QPointF(-2.0, 6.0), head + QPointF(0.0, 5.2));
    moustache.cubicTo(head + QPointF(2.0, 6.0), head + QPointF(4.5, 5.5), head + QPointF(7.0, 6.5));
    moustache.cubicTo(head + QPointF(6.5, 4.0), head + QPointF(3.0, 2.8), head + QPointF(0.0, 4.0));
    blob(p, moustache, QColor(40, 28, 24), 0.4);
    QPainterPath turbanPath;
    turbanPath.moveTo(head + QPointF(-8.6, -1.0));
    turbanPath.cubicTo(head + QPointF(-10.0, -13.0), head + QPointF(10.0, -13.0), head + QPointF(8.6, -1.0));
    turbanPath.quadTo(head + QPointF(0.0, -3.0), head + QPointF(-8.6, -1.0));
    blob(p, turbanPath, turban);
    p.setPen(QPen(QColor(200, 190, 170), 0.7));
    p.drawArc(QRectF(head.x() - 8.0, head.y() - 10.0, 16.0, 10.0), 200 * 16, 140 * 16);
    p.drawArc(QRectF(head.x() - 7.0, head.y() - 8.0, 14.0, 8.0), 200 * 16, 140 * 16);
    disc(p, head + QPointF(0.0, -5.5), 1.8, 1.8, QColor(60, 140, 230));
    QPainterPath plume;
    plume.moveTo(head + QPointF(0.5, -7.0));
    plume.cubicTo(head + QPointF(1.0, -12.0), head + QPointF(5.0, -15.0), head + QPointF(8.0, -16.0));
    plume.cubicTo(head + QPointF(6.0, -12.0), head + QPointF(4.0, -9.0), head + QPointF(0.5, -7.0));
    blob(p, plume, QColor(240, 210, 90), 0.5);
}

// --- the guard: a steel helmet, a blue tabard with the king's crown over mail, a spear ---------------------

void paintGuard(QPainter& p, const Pose& pose) {
    const QColor mail(156, 158, 168), tabard(44, 64, 146), steel(196, 200, 210), gold(236, 196, 70);
    const double shoulderY = 36.0 - pose.breath;
    shoes(p, QColor(60, 44, 36), 4.6);
    limb(p, QPointF(kCentre - 4.6, kGround - 22.0), QPointF(kCentre - 4.6, kGround - 4.0), 5.2, QColor(80, 80, 92));
    limb(p, QPointF(kCentre + 4.6, kGround - 22.0), QPointF(kCentre + 4.6, kGround - 4.0), 5.2, QColor(80, 80, 92));
    limb(p, QPointF(41, 5), QPointF(41, kGround - 3.0), 2.2, QColor(120, 82, 46));
    QPainterPath head;
    head.moveTo(41, 2.0);
    head.lineTo(43.6, 9.0);
    head.lineTo(41, 12.0);
    head.lineTo(38.4, 9.0);
    head.closeSubpath();
    blob(p, head, steel, 0.6);
    blob(p, garment(shoulderY, 9.0, kGround - 20.0, 10.0), mail);
    p.setPen(QPen(mail.darker(130), 0.5));
    for (double y = shoulderY + 3.0; y < kGround - 21.0; y += 2.2)
        p.drawLine(QPointF(kCentre - 8.5, y), QPointF(kCentre + 8.5, y));
    QPainterPath tabardPath;
    tabardPath.addRoundedRect(QRectF(kCentre - 6.5, shoulderY + 1.0, 13.0, kGround - shoulderY - 18.0), 1.5, 1.5);
    blob(p, tabardPath, tabard, 0.7);
    const QPointF c(kCentre, shoulderY + 12.0);
    p.setPen(QPen(kOutline, 0.4));
    p.setBrush(gold);
    p.drawPolygon(QPolygonF({c + QPointF(-4.0, 2.5), c + QPointF(-4.0, -2.0), c + QPointF(-2.0, 0.5),
                             c + QPointF(0.0, -3.0), c + QPointF(2.0, 0.5), c + QPointF(4.0, -2.0),
                             c + QPointF(4.0, 2.5)}));
    p.setPen(QPen(QColor(100, 60, 30), 1.6));
    p.drawLine(QPointF(kCentre - 9.0, shoulderY + 22.0), QPointF(kCentre + 9.0, shoulderY + 22.0));
    limb(p, QPointF(kCentre - 9.0, shoulderY + 2.0), QPointF(kCentre - 10.5, shoulderY + 20.0), 4.2, mail);
    disc(p, QPointF(kCentre - 10.5, shoulderY + 21.0), 2.2, 2.2, kSkin);
    limb(p, QPointF(kCentre + 9.0, shoulderY + 2.0), QPointF(39.5, shoulderY + 11.0), 4.2, mail);
    disc(p, QPointF(41.0, shoulderY + 11.5), 2.4, 2.4, kSkin);
    const QPointF face(kCentre, shoulderY - 8.5);
    disc(p, face, 6.8, 7.2, kSkin);
    eyes(p, face, pose, 2.6);
    p.setPen(QPen(kOutline, 0.6));
    p.drawLine(face + QPointF(-1.6, 4.8), face + QPointF(1.6, 4.8));
    // The helmet: a steel cap with a rim and a nose guard.
    QPainterPath helmet;
    helmet.moveTo(face + QPointF(-8.0, -0.5));
    helmet.cubicTo(face + QPointF(-8.5, -12.0), face + QPointF(8.5, -12.0), face + QPointF(8.0, -0.5));
    helmet.lineTo(face + QPointF(-8.0, -0.5));
    blob(p, helmet, steel);
    QPainterPath rim;
    rim.addRoundedRect(QRectF(face.x() - 9.0, face.y() - 2.5, 18.0, 2.6), 1.2, 1.2);
    blob(p, rim, steel.darker(115), 0.6);
    QPainterPath nose;
    nose.addRect(QRectF(face.x() - 0.9, face.y() - 1.0, 1.8, 5.0));
    blob(p, nose, steel.darker(110), 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(face + QPointF(-3.5, -7.0), 2.0, 1.2);
}

} // namespace

QImage paintCharacterFrame(int animation, int frame) {
    if (!isCharacterAnimation(animation)) return QImage();
    SpriteCanvas canvas(kCharacterFrameSize);
    QPainter& p = canvas.painter();
    const Pose pose = poseOf(frame);
    switch (animation) {
    case kAnimHermit: paintHermit(p, pose); break;
    case kAnimHerbalist: paintHerbalist(p, pose); break;
    case kAnimMerchant: paintMerchant(p, pose); break;
    default: paintGuard(p, pose); break;
    }
    return canvas.finish();
}

} // namespace tw::demo
