#include "make-demo/cursorpictures.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace tw::demo {

namespace {

constexpr int kSize = 32;
constexpr int kSuper = 4;
const QColor kInk(20, 16, 14);
const QColor kSkin(255, 226, 192);

// Draws one 32 x 32 cursor picture at four times the size and scales it down, keeping soft alpha edges
// (cursors, unlike the game's pictures, have a real alpha channel).
QImage cursorPicture(const std::function<void(QPainter&)>& draw) {
    QImage big(kSize * kSuper, kSize * kSuper, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kSuper, kSuper);
    draw(p);
    p.end();
    return big.scaled(kSize, kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

// A shape with a soft drop shadow, a fill and an outline.
void shape(QPainter& p, const QPainterPath& path, const QBrush& fill, double outline = 1.2) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawPath(path.translated(1.2, 1.4));
    p.setPen(QPen(kInk, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

AnimatedCursor still(const QImage& image, QPoint hotspot) { return {{{image, hotspot}}, {}, {}, 10}; }

AnimatedCursor arrow() {
    return still(cursorPicture([](QPainter& p) {
                     shape(p, polygon({{1, 1}, {1, 23}, {6.5, 18}, {10.5, 27}, {14, 25.5}, {10, 16.5}, {17, 16.5}}),
                           Qt::white);
                 }),
                 QPoint(1, 1));
}

AnimatedCursor pointingHand() {
    return still(cursorPicture([](QPainter& p) {
                     QPainterPath hand;
                     hand.setFillRule(Qt::WindingFill); // overlapping parts join rather than cancel
                     hand.addRoundedRect(QRectF(10, 1, 5, 17), 2.5, 2.5);
                     hand.addRoundedRect(QRectF(14.5, 10, 4.5, 9), 2.2, 2.2);
                     hand.addRoundedRect(QRectF(18.5, 11, 4.5, 9), 2.2, 2.2);
                     hand.addRoundedRect(QRectF(22.5, 12.5, 4, 8), 2, 2);
                     hand.addRoundedRect(QRectF(9, 15, 17.5, 14), 5, 5);
                     hand.addRoundedRect(QRectF(4, 14, 8, 5), 2.5, 2.5);
                     shape(p, hand.simplified(), kSkin);
                     p.setPen(QPen(kInk, 0.8));
                     p.drawLine(QPointF(14.8, 14), QPointF(14.8, 19));
                     p.drawLine(QPointF(18.8, 14), QPointF(18.8, 19));
                 }),
                 QPoint(12, 1));
}

AnimatedCursor doorArrow() {
    // An arrow slides through an open doorway, four steps, round and round.
    AnimatedCursor c;
    c.defaultJiffies = 8;
    for (int k = 0; k < 4; ++k) {
        c.frames.append({cursorPicture([k](QPainter& p) {
                             shape(p, polygon({{15, 3}, {29, 3}, {29, 30}, {15, 30}}), QColor(120, 76, 40));
                             p.setPen(Qt::NoPen);
                             p.setBrush(QColor(30, 20, 18));
                             p.drawRect(QRectF(17.5, 5.5, 9, 24.5));
                             const double x = -1 + k * 4;
                             shape(p, polygon({{x, 13}, {x + 10, 13}, {x + 10, 8}, {x + 18, 16.5}, {x + 10, 25},
                                               {x + 10, 20}, {x, 20}}),
                                   QColor(90, 210, 90));
                         }),
                         QPoint(16, 16)});
    }
    return c;
}

AnimatedCursor grabbingHand() {
    // The hand opens and closes slowly, as if reaching for the thing under it.
    AnimatedCursor c;
    c.defaultJiffies = 24;
    for (int closed = 0; closed < 2; ++closed) {
        c.frames.append({cursorPicture([closed](QPainter& p) {
                             QPainterPath hand;
                             hand.setFillRule(Qt::WindingFill);
                             const double reach = closed ? 5 : 0;
                             for (int f = 0; f < 4; ++f)
                                 hand.addRoundedRect(QRectF(7.5 + f * 4.5, 3 + reach + (f == 0 || f == 3 ? 2 : 0), 4.2,
                                                            13 - reach),
                                                     2.1, 2.1);
                             hand.addRoundedRect(QRectF(7, 12, 18.5, 15), 6, 6);
                             hand.addRoundedRect(QRectF(closed ? 5 : 2, closed ? 15 : 11, 8, 5), 2.5, 2.5);
                             shape(p, hand.simplified(), kSkin);
                             p.setPen(QPen(kInk, 0.7));
                             for (int f = 1; f < 4; ++f)
                                 p.drawLine(QPointF(7.5 + f * 4.5, 12 + reach * 0.4), QPointF(7.5 + f * 4.5, 15.5));
                         }),
                         QPoint(16, 16)});
    }
    return c;
}

AnimatedCursor speechBubble() {
    // The dots of a speaker thinking: one, two, three.
    AnimatedCursor c;
    c.defaultJiffies = 15;
    for (int dots = 1; dots <= 3; ++dots) {
        c.frames.append({cursorPicture([dots](QPainter& p) {
                             QPainterPath bubble;
                             bubble.addEllipse(QRectF(2, 2, 28, 21));
                             bubble = bubble.united(polygon({{7, 18}, {3, 30}, {14, 21}}));
                             shape(p, bubble.simplified(), Qt::white);
                             p.setPen(Qt::NoPen);
                             p.setBrush(QColor(40, 90, 200));
                             for (int d = 0; d < dots; ++d) p.drawEllipse(QPointF(9.5 + d * 6.5, 12.5), 2.2, 2.2);
                         }),
                         QPoint(3, 29)});
    }
    return c;
}

AnimatedCursor eye() {
    // Pictures: looking ahead, left, right, half shut, shut. The sequence looks around and blinks.
    AnimatedCursor c;
    const double pupilX[5] = {16, 12, 20, 16, 16};
    for (int k = 0; k < 5; ++k) {
        c.frames.append({cursorPicture([&, k](QPainter& p) {
                             const double open = k == 3 ? 0.45 : k == 4 ? 0.06 : 1.0;
                             QPainterPath lid;
                             lid.moveTo(2, 16);
                             lid.quadTo(16, 16 - 16 * open, 30, 16);
                             lid.quadTo(16, 16 + 16 * open, 2, 16);
                             shape(p, lid, Qt::white, 1.4);
                             if (k < 4) {
                                 p.save();
                                 p.setClipPath(lid);
                                 p.setPen(QPen(kInk, 0.8));
                                 p.setBrush(QColor(70, 130, 210));
                                 p.drawEllipse(QPointF(pupilX[k], 16), 6, 6);
                                 p.setBrush(kInk);
                                 p.drawEllipse(QPointF(pupilX[k], 16), 2.6, 2.6);
                                 p.setPen(Qt::NoPen);
                                 p.setBrush(Qt::white);
                                 p.drawEllipse(QPointF(pupilX[k] - 2, 14), 1.3, 1.3);
                                 p.restore();
                             }
                         }),
                         QPoint(16, 16)});
    }
    c.sequence = {0, 1, 0, 2, 0, 3, 4, 3};
    c.jiffies = {40, 20, 12, 20, 30, 4, 5, 4};
    c.defaultJiffies = 20;
    return c;
}

AnimatedCursor noEntry() {
    return still(cursorPicture([](QPainter& p) {
                     QPainterPath ring;
                     ring.addEllipse(QPointF(16, 16), 14, 14);
                     QPainterPath inner;
                     inner.addEllipse(QPointF(16, 16), 9.5, 9.5);
                     QPainterPath bar;
                     bar.addPolygon(QPolygonF({{7, 9.8}, {9.8, 7}, {25, 22.2}, {22.2, 25}}));
                     bar.closeSubpath();
                     p.setPen(Qt::NoPen);
                     p.setBrush(QColor(255, 255, 255, 110));
                     p.drawPath(inner);
                     shape(p, ring.subtracted(inner).united(bar.intersected(inner)).simplified(),
                           QColor(220, 30, 30), 1.0);
                 }),
                 QPoint(16, 16));
}

AnimatedCursor hourglass() {
    // Sand runs down in six pictures; the last one is held, then the glass starts again.
    AnimatedCursor c;
    for (int k = 0; k < 6; ++k) {
        c.frames.append({cursorPicture([k](QPainter& p) {
                             QPainterPath glass;
                             glass.moveTo(9, 4);
                             glass.lineTo(23, 4);
                             glass.cubicTo(23, 12, 17, 13, 17, 16);
                             glass.cubicTo(17, 19, 23, 20, 23, 28);
                             glass.lineTo(9, 28);
                             glass.cubicTo(9, 20, 15, 19, 15, 16);
                             glass.cubicTo(15, 13, 9, 12, 9, 4);
                             shape(p, glass, QColor(210, 236, 250, 230), 1.0);
                             p.save();
                             p.setClipPath(glass);
                             p.setPen(Qt::NoPen);
                             p.setBrush(QColor(236, 180, 60));
                             const double top = 5 + k * 2.0, bottom = 27 - k * 1.8;
                             p.drawRect(QRectF(8, top + 1, 16, 15 - top));
                             p.drawRect(QRectF(8, bottom, 16, 28 - bottom));
                             if (k < 5) p.drawRect(QRectF(15.4, 15, 1.2, bottom - 15));
                             p.restore();
                             p.setPen(QPen(kInk, 1.0));
                             p.setBrush(QColor(130, 84, 44));
                             p.drawRoundedRect(QRectF(6, 1.5, 20, 3.5), 1.5, 1.5);
                             p.drawRoundedRect(QRectF(6, 27.5, 20, 3.5), 1.5, 1.5);
                         }),
                         QPoint(16, 16)});
    }
    c.sequence = {0, 1, 2, 3, 4, 5};
    c.jiffies = {10, 10, 10, 10, 10, 30};
    c.defaultJiffies = 10;
    return c;
}

} // namespace

QList<DemoCursor> demoCursors() {
    return {{QStringLiteral("men.ani"), arrow()},         {QStringLiteral("clik.ani"), pointingHand()},
            {QStringLiteral("hod.ani"), doorArrow()},     {QStringLiteral("pred.ani"), grabbingHand()},
            {QStringLiteral("dial.ani"), speechBubble()}, {QStringLiteral("smotr.ani"), eye()},
            {QStringLiteral("net.ani"), noEntry()},       {QStringLiteral("temp.ani"), hourglass()}};
}

} // namespace tw::demo
