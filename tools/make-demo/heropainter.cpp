#include "make-demo/heropainter.h"

#include "make-demo/keyedpicture.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tw::demo {

namespace {

// The hero: a young wanderer in a green tunic and a red feathered cap, with a small backpack.
const QColor kOutline(45, 30, 25);
const QColor kSkin(244, 204, 168);
const QColor kSkinShade(222, 172, 138);
const QColor kHair(120, 70, 35);
const QColor kCap(204, 42, 40);
const QColor kCapShade(150, 26, 26);
const QColor kFeather(240, 228, 120);
const QColor kTunic(62, 142, 72);
const QColor kTunicShade(42, 104, 52);
const QColor kTunicLight(96, 176, 100);
const QColor kBelt(95, 60, 30);
const QColor kBuckle(232, 192, 60);
const QColor kTrousers(82, 82, 124);
const QColor kTrousersShade(60, 60, 96);
const QColor kBoot(100, 58, 32);
const QColor kBootShade(72, 40, 22);
const QColor kPack(156, 104, 52);
const QColor kPackShade(122, 78, 36);

constexpr double kGround = 77.0; // sole line: fills pixel row 76, row 77 stays key
constexpr double kCentre = 23.0;
constexpr double kThigh = 13.0;
constexpr double kShin = 12.5;
constexpr double kBootHeight = 3.2;
constexpr double kTorso = 19.0;
constexpr double kHeadRadius = 7.6;

double rad(double degrees) { return degrees * std::numbers::pi / 180.0; }

QPen outlinePen(double width = 0.8) {
    QPen pen(kOutline, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A limb segment: a thick rounded line with an outline, drawn as an outlined line under a filled one.
void limb(QPainter& p, QPointF a, QPointF b, double width, const QColor& colour) {
    QPen under(kOutline, width + 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(under);
    p.drawLine(a, b);
    QPen over(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(over);
    p.drawLine(a, b);
}

void blob(QPainter& p, const QPainterPath& path, const QColor& fill, double pen = 0.8) {
    p.setPen(outlinePen(pen));
    p.setBrush(fill);
    p.drawPath(path);
}

void disc(QPainter& p, QPointF centre, double r, const QColor& fill, bool outlined = true) {
    p.setPen(outlined ? outlinePen() : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawEllipse(centre, r, r);
}

// --- side view, facing right (the left view is its mirror image) ---------------------------------------

struct SideLeg {
    double angle; // thigh angle from the vertical, forward positive
    double bend;  // knee flexion
    QPointF knee(QPointF hip) const {
        return hip + QPointF(std::sin(rad(angle)) * kThigh, std::cos(rad(angle)) * kThigh);
    }
    QPointF ankle(QPointF hip) const {
        return knee(hip) + QPointF(std::sin(rad(angle - bend)) * kShin, std::cos(rad(angle - bend)) * kShin);
    }
    double drop() const { return std::cos(rad(angle)) * kThigh + std::cos(rad(angle - bend)) * kShin; }
};

void sideLeg(QPainter& p, QPointF hip, const SideLeg& leg, bool far) {
    const QPointF knee = leg.knee(hip);
    const QPointF ankle = leg.ankle(hip);
    limb(p, hip, knee, 5.2, far ? kTrousersShade : kTrousers);
    limb(p, knee, ankle, 4.6, far ? kTrousersShade : kTrousers);
    // The boot points forward; its sole follows the shin a little so a lifted foot tips its toe down.
    QPainterPath boot;
    boot.addRoundedRect(QRectF(ankle.x() - 2.6, ankle.y() - 2.0, 8.2, kBootHeight + 2.0), 1.6, 1.6);
    blob(p, boot, far ? kBootShade : kBoot);
}

void sideArm(QPainter& p, QPointF shoulder, double angle, bool far) {
    const QPointF elbow = shoulder + QPointF(std::sin(rad(angle)) * 9.0, std::cos(rad(angle)) * 9.0);
    const double fore = angle + 18.0 + std::max(0.0, angle) * 0.6;
    const QPointF hand = elbow + QPointF(std::sin(rad(fore)) * 8.0, std::cos(rad(fore)) * 8.0);
    limb(p, shoulder, elbow, 4.4, far ? kTunicShade : kTunic);
    limb(p, elbow, hand, 3.8, far ? kTunicShade : kTunic);
    disc(p, hand, 2.1, far ? kSkinShade : kSkin);
}

void sideHead(QPainter& p, QPointF c) {
    // Neck, head, ear, the hair at the back, the face looking right.
    limb(p, c + QPointF(-0.5, 5.0), c + QPointF(-0.5, 9.0), 4.0, kSkin);
    disc(p, c, kHeadRadius, kSkin);
    QPainterPath hair;
    hair.moveTo(c + QPointF(-1.0, -kHeadRadius));
    hair.cubicTo(c + QPointF(-9.5, -6.0), c + QPointF(-9.5, 3.0), c + QPointF(-5.0, 6.5));
    hair.lineTo(c + QPointF(-2.0, 2.0));
    hair.lineTo(c + QPointF(1.0, -3.0));
    hair.closeSubpath();
    blob(p, hair, kHair, 0.6);
    disc(p, c + QPointF(-1.5, 1.0), 1.8, kSkinShade);
    QPainterPath nose;
    nose.addEllipse(c + QPointF(7.3, 1.2), 1.5, 1.3);
    blob(p, nose, kSkin, 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawEllipse(c + QPointF(3.8, -0.6), 1.0, 1.2);
    p.setPen(QPen(kOutline, 0.6));
    p.drawLine(c + QPointF(4.0, 4.2), c + QPointF(5.8, 4.0));
    // The cap: a red hood whose tip falls backwards, with a feather.
    QPainterPath cap;
    cap.moveTo(c + QPointF(-8.0, -0.5));
    cap.cubicTo(c + QPointF(-8.5, -9.0), c + QPointF(2.0, -11.5), c + QPointF(8.2, -2.5));
    cap.lineTo(c + QPointF(-1.0, -3.5));
    cap.cubicTo(c + QPointF(-6.0, -3.0), c + QPointF(-10.0, 0.0), c + QPointF(-12.5, 3.5));
    cap.closeSubpath();
    blob(p, cap, kCap);
    QPainterPath feather;
    feather.moveTo(c + QPointF(-3.0, -6.5));
    feather.cubicTo(c + QPointF(-8.0, -12.0), c + QPointF(-12.0, -13.5), c + QPointF(-14.0, -13.0));
    feather.cubicTo(c + QPointF(-10.0, -10.0), c + QPointF(-7.0, -7.5), c + QPointF(-3.0, -6.5));
    blob(p, feather, kFeather, 0.5);
}

void paintSide(QPainter& p, bool walking, int frame, int count) {
    const double phase = 2.0 * std::numbers::pi * frame / std::max(1, count);
    const double swing = walking ? 28.0 * std::sin(phase) : 0.0;
    const SideLeg nearLeg{swing, walking ? 42.0 * std::max(0.0, std::cos(phase)) : 0.0};
    const SideLeg farLeg{-swing, walking ? 42.0 * std::max(0.0, -std::cos(phase)) : 0.0};
    // The lower foot carries the body, so the hip rides on it: a natural bob, and a sole on the ground.
    const double hipY = kGround - kBootHeight - std::max(nearLeg.drop(), farLeg.drop());
    const QPointF hip(kCentre - 1.0, hipY);
    const QPointF shoulder(kCentre, hipY - kTorso);
    const double armSwing = walking ? -26.0 * std::sin(phase) : 0.0;

    sideArm(p, shoulder + QPointF(0.5, 2.0), -armSwing, true);
    sideLeg(p, hip, farLeg, true);
    sideLeg(p, hip, nearLeg, false);

    QPainterPath pack;
    pack.addRoundedRect(QRectF(shoulder.x() - 11.5, shoulder.y() + 1.5, 6.5, 13.0), 2.0, 2.0);
    blob(p, pack, kPack);
    QPainterPath tunic;
    tunic.moveTo(shoulder + QPointF(-5.5, 0.5));
    tunic.quadTo(shoulder + QPointF(0.0, -1.5), shoulder + QPointF(5.0, 0.5));
    tunic.lineTo(QPointF(hip.x() + 7.5, hipY + 6.0));
    tunic.quadTo(QPointF(hip.x(), hipY + 7.5), QPointF(hip.x() - 7.0, hipY + 6.0));
    tunic.closeSubpath();
    blob(p, tunic, kTunic);
    p.setPen(Qt::NoPen);
    p.setBrush(kTunicLight);
    p.drawRect(QRectF(shoulder.x() + 1.0, shoulder.y() + 2.0, 2.5, kTorso - 5.0));
    p.setPen(outlinePen(0.6));
    p.setBrush(kBelt);
    p.drawRect(QRectF(hip.x() - 6.2, hipY - 2.5, 13.0, 2.6));
    p.setPen(QPen(kPackShade, 1.0));
    p.drawLine(shoulder + QPointF(-4.5, 1.0), QPointF(hip.x() - 4.5, hipY - 3.0));

    sideHead(p, shoulder + QPointF(1.5, -8.2));
    sideArm(p, shoulder + QPointF(0.0, 2.0), armSwing, false);
}

// --- front and back views ---------------------------------------------------------------------------------

void frontLeg(QPainter& p, double x, double hipY, double lift, bool back) {
    const double ankleY = kGround - kBootHeight - lift;
    // A lifted leg comes towards the viewer: its knee shows as a wider patch, its boot a little larger.
    limb(p, QPointF(x, hipY), QPointF(x, ankleY - 1.0), 5.4 + lift * 0.15, kTrousers);
    const double grow = 1.0 + lift * 0.05;
    QPainterPath boot;
    boot.addRoundedRect(QRectF(x - 3.4 * grow, ankleY - 1.8, 6.8 * grow, kBootHeight + 1.8), 1.8, 1.8);
    blob(p, boot, back ? kBootShade : kBoot);
}

void frontArm(QPainter& p, QPointF shoulder, double side, double swing) {
    // Seen from the front an arm swinging forward or back foreshortens; the hand rises and moves out.
    const QPointF elbow = shoulder + QPointF(side * 1.6, 8.5 - std::abs(swing) * 0.5);
    const QPointF hand = elbow + QPointF(side * (0.6 + std::abs(swing) * 0.3), 7.5 - std::abs(swing) * 0.9);
    limb(p, shoulder, elbow, 4.4, kTunic);
    limb(p, elbow, hand, 3.8, kTunic);
    disc(p, hand, 2.1, kSkin);
}

void frontHead(QPainter& p, QPointF c, bool back) {
    limb(p, c + QPointF(0.0, 5.5), c + QPointF(0.0, 9.0), 4.4, kSkin);
    disc(p, c + QPointF(-kHeadRadius + 0.3, 1.2), 1.9, kSkinShade);
    disc(p, c + QPointF(kHeadRadius - 0.3, 1.2), 1.9, kSkinShade);
    disc(p, c, kHeadRadius, back ? kHair : kSkin);
    if (back) {
        p.setPen(QPen(kOutline.lighter(140), 0.5));
        for (int i = -2; i <= 2; ++i)
            p.drawLine(c + QPointF(i * 2.0, 1.0), c + QPointF(i * 2.4, 6.5));
    } else {
        QPainterPath fringe;
        fringe.moveTo(c + QPointF(-7.4, 1.0));
        fringe.cubicTo(c + QPointF(-7.0, -4.0), c + QPointF(7.0, -4.0), c + QPointF(7.4, 1.0));
        fringe.lineTo(c + QPointF(5.0, -1.0));
        fringe.lineTo(c + QPointF(2.0, -2.0));
        fringe.lineTo(c + QPointF(-1.0, -1.0));
        fringe.lineTo(c + QPointF(-4.0, -2.0));
        fringe.closeSubpath();
        blob(p, fringe, kHair, 0.5);
        p.setPen(Qt::NoPen);
        p.setBrush(kOutline);
        p.drawEllipse(c + QPointF(-2.8, 1.2), 1.0, 1.25);
        p.drawEllipse(c + QPointF(2.8, 1.2), 1.0, 1.25);
        p.setBrush(QColor(236, 150, 140));
        p.drawEllipse(c + QPointF(-4.6, 3.6), 1.3, 0.8);
        p.drawEllipse(c + QPointF(4.6, 3.6), 1.3, 0.8);
        p.setPen(QPen(kOutline, 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - 2.0, c.y() + 2.6, 4.0, 2.4), 200 * 16, 140 * 16);
    }
    QPainterPath cap;
    cap.moveTo(c + QPointF(-8.3, 0.0));
    cap.cubicTo(c + QPointF(-8.8, -10.5), c + QPointF(8.8, -10.5), c + QPointF(8.3, 0.0));
    cap.quadTo(c + QPointF(0.0, -3.0), c + QPointF(-8.3, 0.0));
    blob(p, cap, kCap);
    p.setPen(Qt::NoPen);
    p.setBrush(kCapShade);
    p.drawRect(QRectF(c.x() - 7.6, c.y() - 2.6, 15.2, 1.6));
    QPainterPath feather;
    const double s = back ? -1.0 : 1.0; // the feather sits on his right side
    feather.moveTo(c + QPointF(4.5 * s, -6.0));
    feather.cubicTo(c + QPointF(3.5 * s, -10.5), c + QPointF(8.0 * s, -14.0), c + QPointF(11.5 * s, -15.0));
    feather.cubicTo(c + QPointF(10.5 * s, -11.0), c + QPointF(8.5 * s, -8.0), c + QPointF(4.5 * s, -6.0));
    blob(p, feather, kFeather, 0.5);
}

void paintFrontOrBack(QPainter& p, bool back, bool walking, int frame, int count) {
    const double phase = 2.0 * std::numbers::pi * frame / std::max(1, count);
    const double liftA = walking ? 4.0 * std::max(0.0, std::sin(phase)) : 0.0;
    const double liftB = walking ? 4.0 * std::max(0.0, -std::sin(phase)) : 0.0;
    // Breathing while standing lifts chest, arms and head by a fraction of a pixel; walking bobs the body.
    const double breath = walking ? 0.0 : 0.6 * (1.0 - std::cos(phase));
    const double bob = walking ? 0.9 * std::abs(std::sin(phase)) : 0.0;
    const double hipY = kGround - kBootHeight - (kThigh + kShin) - bob;
    const QPointF shoulder(kCentre, hipY - kTorso - breath);
    const double swing = walking ? std::sin(phase) * 3.0 : 0.0;

    frontLeg(p, kCentre - 4.4, hipY, liftA, back);
    frontLeg(p, kCentre + 4.4, hipY, liftB, back);
    frontArm(p, shoulder + QPointF(-6.6, 1.8), -1.0, swing);
    frontArm(p, shoulder + QPointF(6.6, 1.8), 1.0, -swing);

    QPainterPath tunic;
    tunic.moveTo(shoulder + QPointF(-7.2, 0.5));
    tunic.quadTo(shoulder + QPointF(0.0, -1.8), shoulder + QPointF(7.2, 0.5));
    tunic.lineTo(QPointF(kCentre + 8.6, hipY + 6.0));
    tunic.quadTo(QPointF(kCentre, hipY + 7.5), QPointF(kCentre - 8.6, hipY + 6.0));
    tunic.closeSubpath();
    blob(p, tunic, kTunic);
    p.setPen(outlinePen(0.6));
    p.setBrush(kBelt);
    p.drawRect(QRectF(kCentre - 7.9, hipY - 2.5, 15.8, 2.6));
    if (back) {
        QPainterPath pack;
        pack.addRoundedRect(QRectF(kCentre - 6.0, shoulder.y() + 2.5, 12.0, 13.5), 2.5, 2.5);
        blob(p, pack, kPack);
        QPainterPath flap;
        flap.addRoundedRect(QRectF(kCentre - 6.0, shoulder.y() + 2.5, 12.0, 5.0), 2.0, 2.0);
        blob(p, flap, kPackShade, 0.6);
        disc(p, QPointF(kCentre, shoulder.y() + 7.3), 1.0, kBuckle);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(kSkin);
        QPainterPath neck;
        neck.moveTo(shoulder + QPointF(-2.5, -0.9));
        neck.lineTo(shoulder + QPointF(2.5, -0.9));
        neck.lineTo(shoulder + QPointF(0.0, 3.2));
        neck.closeSubpath();
        p.drawPath(neck);
        p.setPen(QPen(kPackShade, 1.1));
        p.drawLine(shoulder + QPointF(-5.5, 0.6), QPointF(kCentre - 3.0, hipY - 2.8));
        p.drawLine(shoulder + QPointF(5.5, 0.6), QPointF(kCentre + 3.0, hipY - 2.8));
        p.setPen(outlinePen(0.5));
        p.setBrush(kBuckle);
        p.drawRect(QRectF(kCentre - 1.6, hipY - 2.8, 3.2, 3.2));
    }
    frontHead(p, shoulder + QPointF(0.0, -8.3), back);
}

} // namespace

void drawHero(QPainter& p, HeroView view, bool walking, int frame, int count) {
    p.save();
    switch (view) {
    case HeroView::Right:
        paintSide(p, walking, frame, count);
        break;
    case HeroView::Left:
        p.translate(kHeroFrameSize.width(), 0);
        p.scale(-1, 1);
        paintSide(p, walking, frame, count);
        break;
    case HeroView::Front:
        paintFrontOrBack(p, false, walking, frame, count);
        break;
    case HeroView::Back:
        paintFrontOrBack(p, true, walking, frame, count);
        break;
    }
    p.restore();
}

QImage paintHeroFrame(HeroView view, bool walking, int frame, int count) {
    SpriteCanvas canvas(kHeroFrameSize);
    drawHero(canvas.painter(), view, walking, frame, count);
    return canvas.finish();
}

} // namespace tw::demo
