#include "make-demo/itempictures.h"

#include "make-demo/keyedpicture.h"
#include "project/projectrecord.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace tw::demo {

namespace {

// Items are drawn in a 100 x 100 box. Small pictures need a heavier outline to stay readable, so the
// outline width (in box units) is chosen per size.
const QColor kInk(44, 30, 24);

struct ItemPen {
    double outline;
    QPen pen() const {
        QPen p(kInk, outline);
        p.setJoinStyle(Qt::RoundJoin);
        p.setCapStyle(Qt::RoundCap);
        return p;
    }
};

QLinearGradient sheen(QPointF from, QPointF to, const QColor& light, const QColor& dark) {
    QLinearGradient g(from, to);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    return g;
}

void highlight(QPainter& p, QPointF c, double rx, double ry) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(c, rx, ry);
}

void paintKey(QPainter& p, const ItemPen& ip) {
    const QColor gold(238, 196, 64), dark(170, 120, 30);
    p.setPen(ip.pen());
    p.setBrush(sheen({20, 20}, {80, 80}, gold.lighter(115), dark));
    p.save();
    p.translate(50, 50);
    p.rotate(-40);
    QPainterPath key;
    key.addEllipse(QPointF(-26, 0), 18, 18);
    key.addRect(QRectF(-10, -6, 50, 12));
    key.addRect(QRectF(22, 6, 8, 12));
    key.addRect(QRectF(34, 6, 6, 16));
    key = key.simplified();
    QPainterPath hole;
    hole.addEllipse(QPointF(-26, 0), 8, 8);
    p.drawPath(key.subtracted(hole));
    p.restore();
    highlight(p, {21, 58}, 4, 2.5);
}

void paintApple(QPainter& p, const ItemPen& ip) {
    QPainterPath apple;
    apple.moveTo(50, 30);
    apple.cubicTo(68, 14, 96, 28, 88, 60);
    apple.cubicTo(82, 86, 62, 94, 50, 86);
    apple.cubicTo(38, 94, 18, 86, 12, 60);
    apple.cubicTo(4, 28, 32, 14, 50, 30);
    QRadialGradient g(QPointF(36, 44), 56);
    g.setColorAt(0, QColor(250, 90, 80));
    g.setColorAt(1, QColor(150, 16, 20));
    p.setPen(ip.pen());
    p.setBrush(g);
    p.drawPath(apple);
    p.setBrush(QColor(110, 70, 36));
    p.drawRoundedRect(QRectF(47, 8, 7, 24), 3, 3);
    QPainterPath leaf;
    leaf.moveTo(55, 22);
    leaf.quadTo(66, 4, 84, 12);
    leaf.quadTo(72, 28, 55, 22);
    p.setBrush(QColor(90, 170, 60));
    p.drawPath(leaf);
    highlight(p, {32, 46}, 7, 11);
}

void paintCoin(QPainter& p, const ItemPen& ip) {
    p.setPen(ip.pen());
    p.setBrush(QColor(176, 124, 30));
    p.drawEllipse(QPointF(52, 54), 40, 40);
    p.setBrush(sheen({14, 14}, {86, 86}, QColor(255, 230, 120), QColor(214, 156, 40)));
    p.drawEllipse(QPointF(48, 50), 40, 40);
    p.setPen(QPen(QColor(170, 116, 26), ip.outline * 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(48, 50), 30, 30);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = i % 2 ? 8 : 19;
        star << QPointF(48 + std::cos(a) * r, 51 + std::sin(a) * r);
    }
    p.setPen(QPen(QColor(170, 116, 26), ip.outline * 0.6));
    p.setBrush(QColor(250, 214, 90));
    p.drawPolygon(star);
}

void paintBook(QPainter& p, const ItemPen& ip) {
    p.setPen(ip.pen());
    p.setBrush(QColor(244, 236, 210));
    p.drawPolygon(QPolygonF({QPointF(26, 16), QPointF(86, 10), QPointF(88, 80), QPointF(28, 88)}));
    p.setBrush(sheen({14, 14}, {80, 90}, QColor(70, 110, 200), QColor(30, 50, 120)));
    p.drawPolygon(QPolygonF({QPointF(14, 18), QPointF(78, 12), QPointF(80, 84), QPointF(16, 92)}));
    p.setBrush(QColor(30, 44, 100));
    p.drawRect(QRectF(14, 18, 9, 74));
    p.setPen(QPen(QColor(236, 196, 70), ip.outline * 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(34, 30, 34, 42));
    p.setBrush(QColor(236, 196, 70));
    p.drawEllipse(QPointF(51, 51), 7, 7);
    p.setPen(ip.pen());
    p.setBrush(QColor(200, 40, 50));
    p.drawPolygon(QPolygonF({QPointF(62, 86), QPointF(70, 85), QPointF(70, 98), QPointF(66, 94), QPointF(62, 98)}));
}

void paintRope(QPainter& p, const ItemPen& ip) {
    const QColor rope(198, 150, 86), dark(128, 88, 42);
    for (int ring = 0; ring < 4; ++ring) {
        const QRectF r(12 + ring * 3, 28 + ring * 9, 76 - ring * 6, 40 - ring * 2);
        p.setPen(QPen(kInk, 13 + ip.outline * 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(r, 0, 360 * 16);
        p.setPen(QPen(rope, 13, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(r, 0, 360 * 16);
        p.setPen(QPen(dark, 2.5, Qt::DashLine));
        p.drawArc(r, 0, 360 * 16);
    }
    p.setPen(QPen(kInk, 11 + ip.outline * 2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath end;
    end.moveTo(84, 62);
    end.quadTo(94, 78, 80, 90);
    p.drawPath(end);
    p.setPen(QPen(rope, 11, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(end);
}

void paintLantern(QPainter& p, const ItemPen& ip) {
    p.setPen(QPen(kInk, ip.outline + 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(36, 4, 28, 24), 0, 180 * 16);
    p.setPen(ip.pen());
    p.setBrush(QColor(70, 70, 80));
    p.drawPolygon(QPolygonF({QPointF(28, 30), QPointF(50, 14), QPointF(72, 30)}));
    QRadialGradient flame(QPointF(50, 58), 26);
    flame.setColorAt(0, QColor(255, 250, 200));
    flame.setColorAt(0.5, QColor(255, 210, 90));
    flame.setColorAt(1, QColor(230, 140, 40));
    p.setBrush(flame);
    p.drawRect(QRectF(30, 30, 40, 52));
    p.setBrush(QColor(70, 70, 80));
    p.drawRect(QRectF(24, 82, 52, 12));
    p.drawRect(QRectF(30, 30, 5, 52));
    p.drawRect(QRectF(65, 30, 5, 52));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 160, 40));
    p.drawEllipse(QPointF(50, 62), 6, 11);
    p.setBrush(QColor(255, 250, 210));
    p.drawEllipse(QPointF(50, 65), 3, 6);
}

void paintPotion(QPainter& p, const ItemPen& ip) {
    QPainterPath bottle;
    bottle.moveTo(42, 14);
    bottle.lineTo(58, 14);
    bottle.lineTo(58, 40);
    bottle.cubicTo(84, 46, 88, 90, 50, 94);
    bottle.cubicTo(12, 90, 16, 46, 42, 40);
    bottle.closeSubpath();
    QRadialGradient g(QPointF(40, 60), 44);
    g.setColorAt(0, QColor(120, 230, 120));
    g.setColorAt(1, QColor(20, 110, 50));
    p.setPen(ip.pen());
    p.setBrush(g);
    p.drawPath(bottle);
    p.setBrush(QColor(170, 120, 70));
    p.drawRoundedRect(QRectF(39, 4, 22, 14), 3, 3);
    p.setBrush(QColor(244, 232, 196));
    p.drawRect(QRectF(34, 60, 32, 18));
    highlight(p, {36, 54}, 4, 9);
}

void paintFlower(QPainter& p, const ItemPen& ip) {
    p.setPen(QPen(kInk, 7 + ip.outline * 2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem;
    stem.moveTo(50, 44);
    stem.quadTo(44, 72, 52, 96);
    p.drawPath(stem);
    p.setPen(QPen(QColor(70, 150, 50), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    p.setPen(ip.pen());
    p.setBrush(QColor(80, 170, 60));
    QPainterPath leaf;
    leaf.moveTo(48, 76);
    leaf.quadTo(24, 60, 16, 72);
    leaf.quadTo(30, 86, 48, 76);
    p.drawPath(leaf);
    p.setBrush(QColor(240, 110, 160));
    for (int i = 0; i < 6; ++i) {
        const double a = i * std::numbers::pi / 3;
        p.drawEllipse(QPointF(50 + std::cos(a) * 17, 32 + std::sin(a) * 17), 13, 13);
    }
    p.setBrush(QColor(250, 206, 50));
    p.drawEllipse(QPointF(50, 32), 11, 11);
}

void paintScroll(QPainter& p, const ItemPen& ip) {
    p.setPen(ip.pen());
    p.setBrush(sheen({20, 20}, {80, 80}, QColor(250, 236, 196), QColor(214, 186, 130)));
    p.drawRect(QRectF(18, 20, 64, 60));
    p.setBrush(QColor(230, 206, 150));
    p.drawRoundedRect(QRectF(10, 12, 80, 14), 7, 7);
    p.drawRoundedRect(QRectF(10, 74, 80, 14), 7, 7);
    p.setPen(QPen(QColor(120, 96, 70), ip.outline * 0.8));
    for (int y = 36; y < 70; y += 9) p.drawLine(QPointF(28, y), QPointF(72, y));
    p.setPen(ip.pen());
    p.setBrush(QColor(200, 30, 40));
    p.drawEllipse(QPointF(66, 64), 10, 10);
}

void paintGem(QPainter& p, const ItemPen& ip) {
    const QPolygonF outline({QPointF(26, 22), QPointF(74, 22), QPointF(92, 42), QPointF(50, 92), QPointF(8, 42)});
    p.setPen(ip.pen());
    p.setBrush(QColor(60, 140, 230));
    p.drawPolygon(outline);
    p.setPen(QPen(QColor(20, 60, 130), ip.outline * 0.7));
    p.setBrush(QColor(120, 200, 255));
    p.drawPolygon(QPolygonF({QPointF(26, 22), QPointF(74, 22), QPointF(64, 42), QPointF(36, 42)}));
    p.setBrush(QColor(40, 100, 200));
    p.drawPolygon(QPolygonF({QPointF(36, 42), QPointF(64, 42), QPointF(50, 92)}));
    p.drawLine(QPointF(8, 42), QPointF(92, 42));
    highlight(p, {40, 30}, 6, 3);
}

// The king's gem in a golden setting, hanging from a loop of rope.
void paintAmulet(QPainter& p, const ItemPen& ip) {
    const QColor rope(198, 150, 86), dark(128, 88, 42);
    QPainterPath cord;
    cord.moveTo(40, 56);
    cord.cubicTo(8, 40, 14, 6, 50, 6);
    cord.cubicTo(86, 6, 92, 40, 60, 56);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 9 + ip.outline * 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cord);
    p.setPen(QPen(rope, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cord);
    p.setPen(QPen(dark, 2.0, Qt::DashLine));
    p.drawPath(cord);
    p.setPen(ip.pen());
    p.setBrush(sheen({30, 50}, {70, 96}, QColor(255, 226, 110), QColor(190, 136, 30)));
    p.drawEllipse(QPointF(50, 72), 26, 25);
    const QPolygonF gem({QPointF(36, 62), QPointF(64, 62), QPointF(72, 71), QPointF(50, 93), QPointF(28, 71)});
    p.setBrush(QColor(60, 140, 230));
    p.drawPolygon(gem);
    p.setPen(QPen(QColor(20, 60, 130), ip.outline * 0.6));
    p.setBrush(QColor(120, 200, 255));
    p.drawPolygon(QPolygonF({QPointF(36, 62), QPointF(64, 62), QPointF(59, 71), QPointF(41, 71)}));
    highlight(p, {44, 66}, 4, 2);
}

} // namespace

QString itemName(int item) {
    static const char* const names[kDemoItemCount] = {"Ключ",  "Яблоко", "Монета", "Книга",  "Верёвка", "Фонарь",
                                                      "Зелье", "Цветок", "Свиток", "Самоцвет", "Амулет"};
    return item >= 1 && item <= kDemoItemCount ? QString::fromUtf8(names[item - 1]) : QString();
}

QImage paintItem(int item, int size) {
    SpriteCanvas canvas(QSize(size, size), size < 32 ? 8 : 4);
    QPainter& p = canvas.painter();
    // Leave the margin, then work in the 100-unit box.
    const double margin = size < 32 ? 1.0 : 2.0;
    p.translate(margin, margin);
    p.scale((size - 2 * margin) / 100.0, (size - 2 * margin) / 100.0);
    const ItemPen pen{size < 32 ? 5.0 : 3.5};
    switch (item) {
    case kItemKey: paintKey(p, pen); break;
    case kItemApple: paintApple(p, pen); break;
    case kItemCoin: paintCoin(p, pen); break;
    case kItemBook: paintBook(p, pen); break;
    case kItemRope: paintRope(p, pen); break;
    case kItemLantern: paintLantern(p, pen); break;
    case kItemPotion: paintPotion(p, pen); break;
    case kItemFlower: paintFlower(p, pen); break;
    case kItemScroll: paintScroll(p, pen); break;
    case kItemGem: paintGem(p, pen); break;
    case kItemAmulet: paintAmulet(p, pen); break;
    default: break;
    }
    return canvas.finish();
}

namespace {

QImage itemStrip(int cell) {
    QImage strip(cell * kItemCapacity, cell, QImage::Format_RGB32);
    strip.fill(keyColour());
    for (int n = 1; n <= kDemoItemCount; ++n) placeSprite(strip, paintItem(n, cell), QPoint((n - 1) * cell, 0));
    return strip;
}

} // namespace

QImage paintLargeItemStrip() { return itemStrip(50); }
QImage paintSmallItemStrip() { return itemStrip(20); }

} // namespace tw::demo
