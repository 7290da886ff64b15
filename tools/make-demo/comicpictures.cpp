#include "make-demo/proppictures.h"

#include "make-demo/heropainter.h"
#include "make-demo/itempictures.h"
#include "make-demo/keyedpicture.h"
#include "make-demo/landscapekit.h"

#include <QFont>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace tw::demo {

namespace {

constexpr int kComicW = 600;
constexpr int kComicH = 400;
const QColor kInk(24, 18, 16);

void rays(QPainter& p, QPointF centre, int count, double length, const QColor& colour) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < count; ++i) {
        const double a = i * 2 * std::numbers::pi / count;
        const double da = std::numbers::pi / count * 0.5;
        p.drawPolygon(QPolygonF({centre, centre + QPointF(std::cos(a - da), std::sin(a - da)) * length,
                                 centre + QPointF(std::cos(a + da), std::sin(a + da)) * length}));
    }
    p.restore();
}

// The hero, enlarged smoothly: `height` pixels tall with his feet at `foot`.
void hero(QPainter& p, QPointF foot, double height, HeroView view, bool walking, int frame) {
    p.save();
    const double scale = height / kHeroFrameSize.height();
    p.translate(foot.x() - kHeroFrameSize.width() * scale / 2, foot.y() - kHeroFrameSize.height() * scale);
    p.scale(scale, scale);
    drawHero(p, view, walking, frame, 6);
    p.restore();
}

// A caption box in the corner of the panel, as comics have.
void caption(QPainter& p, const QString& text) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(24);
    f.setBold(true);
    p.setFont(f);
    const QRectF box = QRectF(18, 16, p.fontMetrics().horizontalAdvance(text) + 32, 44);
    p.setPen(QPen(kInk, 3));
    p.setBrush(QColor(255, 244, 196));
    p.drawRect(box);
    p.setPen(kInk);
    p.drawText(box, Qt::AlignCenter, text);
}

// The last comic of the quest says so in a second box, in the corner across from the caption.
void endBox(QPainter& p, const QString& text) {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    const double w = p.fontMetrics().horizontalAdvance(text) + 36;
    const QRectF box(kComicW - 18 - w, 16, w, 44);
    p.setPen(QPen(kInk, 3));
    p.setBrush(QColor(150, 30, 40));
    p.drawRect(box);
    p.setPen(QColor(255, 236, 170));
    p.drawText(box, Qt::AlignCenter, text);
}

void doorOpening(QPainter& p, QRandomGenerator& rng) {
    p.fillRect(QRect(0, 0, kComicW, kComicH), QColor(92, 70, 60));
    p.drawImage(0, 0, noiseTexture(QSize(kComicW, 300), QColor(116, 96, 84), 12, 6, 20, rng));
    p.fillRect(QRect(0, 300, kComicW, 100), QColor(84, 62, 48));
    rays(p, QPointF(330, 170), 24, 500, QColor(255, 230, 150, 60));
    const QRectF opening(250, 40, 160, 270);
    QPainterPath arch;
    arch.moveTo(opening.bottomLeft());
    arch.lineTo(opening.left(), opening.top() + 80);
    arch.arcTo(QRectF(opening.left(), opening.top(), opening.width(), 160), 180, -180);
    arch.lineTo(opening.bottomRight());
    arch.closeSubpath();
    p.setPen(QPen(kInk, 4));
    p.setBrush(QColor(255, 236, 170));
    p.drawPath(arch);
    // The door leaf swings towards the viewer on its left hinges.
    p.setBrush(QColor(140, 88, 46));
    p.drawPolygon(QPolygonF({QPointF(250, 120), QPointF(170, 80), QPointF(170, 360), QPointF(250, 310)}));
    p.setPen(QPen(QColor(90, 56, 30), 2));
    for (int i = 1; i < 4; ++i) p.drawLine(QPointF(250 - i * 20, 120 - i * 10), QPointF(250 - i * 20, 310 + i * 12.5));
    p.setPen(QPen(kInk, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(186, 220), 8, 8);
    QPolygonF lightFloor({QPointF(250, 310), QPointF(410, 310), QPointF(520, 400), QPointF(180, 400)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 150, 110));
    p.drawPolygon(lightFloor);
    hero(p, QPointF(340, 392), 190, HeroView::Back, false, 0);
    caption(p, QStringLiteral("Дверь открылась!"));
}

void treasure(QPainter& p, QRandomGenerator& rng) {
    QRadialGradient cave(QPointF(300, 230), 380);
    cave.setColorAt(0, QColor(120, 96, 70));
    cave.setColorAt(1, QColor(30, 22, 20));
    p.fillRect(QRect(0, 0, kComicW, kComicH), cave);
    rays(p, QPointF(250, 250), 30, 420, QColor(255, 240, 160, 50));
    // The chest with its lid thrown open, heaped with coins; the lid's hinged edge goes down behind the
    // heap, so it stays joined to the chest.
    p.setPen(QPen(kInk, 4));
    p.setBrush(QColor(140, 84, 40));
    p.drawPolygon(QPolygonF({QPointF(134, 232), QPointF(366, 232), QPointF(390, 130), QPointF(150, 130)}));
    p.setPen(QPen(QColor(96, 56, 26), 3));
    p.drawLine(QPointF(146, 150), QPointF(384, 150));
    p.setBrush(QColor(232, 188, 60));
    p.drawEllipse(QRectF(140, 200, 220, 60));
    p.setBrush(QColor(156, 96, 46));
    p.drawRect(QRectF(130, 230, 240, 120));
    p.setBrush(QColor(210, 170, 60));
    p.drawRect(QRectF(130, 260, 240, 14));
    p.drawRect(QRectF(236, 250, 28, 40));
    for (int i = 0; i < 12; ++i) {
        const QImage coin = keyedToTransparent(paintItem(kItemCoin, 50));
        p.drawImage(QPointF(150 + rng.bounded(180), 186 + rng.bounded(30)), coin);
    }
    p.drawImage(QPointF(200, 170), keyedToTransparent(paintItem(kItemGem, 50)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 220));
    for (int i = 0; i < 14; ++i) {
        const QPointF at(120 + rng.bounded(280), 90 + rng.bounded(140));
        const double r = 3 + rng.bounded(5);
        p.drawPolygon(QPolygonF({at + QPointF(0, -r * 2), at + QPointF(r * 0.4, 0), at + QPointF(0, r * 2),
                                 at + QPointF(-r * 0.4, 0)}));
        p.drawPolygon(QPolygonF({at + QPointF(-r * 2, 0), at + QPointF(0, r * 0.4), at + QPointF(r * 2, 0),
                                 at + QPointF(0, -r * 0.4)}));
    }
    hero(p, QPointF(480, 390), 230, HeroView::Front, false, 0);
    caption(p, QStringLiteral("Сокровище найдено!"));
    endBox(p, QStringLiteral("Конец"));
}

void roadToCastle(QPainter& p, QRandomGenerator& rng) {
    paintGradient(p, QRect(0, 0, kComicW, 260), QColor(60, 70, 150), QColor(250, 170, 100));
    QRadialGradient sun(QPointF(420, 220), 90);
    sun.setColorAt(0, QColor(255, 240, 180));
    sun.setColorAt(0.3, QColor(255, 220, 140, 200));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    p.fillRect(QRect(300, 100, 240, 200), sun);
    paintHills(p, kComicW, 250, 20, QColor(110, 90, 120), rng);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 60, 90));
    p.drawRect(QRect(360, 150, 110, 90));
    for (int x : {340, 400, 460}) {
        p.drawRect(QRect(x, 120, 30, 120));
        p.drawPolygon(QPolygonF({QPointF(x - 5, 122), QPointF(x + 15, 80), QPointF(x + 35, 122)}));
    }
    p.setBrush(QColor(255, 220, 120));
    for (QPoint w : {QPoint(350, 150), QPoint(410, 140), QPoint(470, 155), QPoint(400, 190)})
        p.drawRoundedRect(QRect(w, QSize(8, 14)), 4, 4);
    p.fillRect(QRect(0, 260, kComicW, 140), QColor(86, 130, 60));
    paintGrass(p, QRect(0, 262, kComicW, 138), 1600, QColor(70, 120, 44), rng, {});
    QPainterPath road;
    road.moveTo(150, 400);
    road.cubicTo(260, 330, 330, 300, 405, 245);
    road.lineTo(425, 245);
    road.cubicTo(380, 300, 360, 340, 420, 400);
    road.closeSubpath();
    p.setBrush(QColor(190, 154, 104));
    p.drawPath(road);
    paintTree(p, QPointF(70, 330), 220, true, rng);
    paintTree(p, QPointF(560, 320), 200, false, rng);
    hero(p, QPointF(300, 392), 150, HeroView::Back, true, 1);
    caption(p, QStringLiteral("Путь к замку открыт!"));
}

} // namespace

QImage paintComic(int n) {
    QImage image(kComicW, kComicH, QImage::Format_RGB32);
    QRandomGenerator rng(8000u + static_cast<quint32>(n));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (n) {
    case 1: doorOpening(p, rng); break;
    case 2: treasure(p, rng); break;
    default: roadToCastle(p, rng); break;
    }
    // The panel's border, as in a printed comic.
    p.setPen(QPen(kInk, 10));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5, 5, kComicW - 10, kComicH - 10));
    p.setPen(QPen(Qt::white, 2));
    p.drawRect(QRectF(11, 11, kComicW - 22, kComicH - 22));
    return image;
}

} // namespace tw::demo
