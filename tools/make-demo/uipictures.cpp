#include "make-demo/uipictures.h"

#include "make-demo/itempictures.h"
#include "make-demo/keyedpicture.h"
#include "make-demo/landscapekit.h"
#include "project/projectrecord.h"

#include <QFont>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tw::demo {

namespace {

constexpr int kW = kPlayWidth;
constexpr int kH = kPlayHeight;
const QColor kInk(36, 24, 20);

QFont font(const char* family, int pixelSize, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Text as an outlined, gradient-filled shape, centred on `centre`.
void paintTitle(QPainter& p, const QString& text, const QFont& f, QPointF centre, const QColor& light,
                const QColor& dark, double outline) {
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    const QRectF placed = path.boundingRect();
    QLinearGradient fill(placed.topLeft(), placed.bottomLeft());
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawPath(path.translated(outline * 0.6 + 1, outline * 0.8 + 1));
    p.setPen(QPen(kInk, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

// A wooden plaque with a text, as the menu's items and the help's heading use.
void paintPlaque(QPainter& p, const QRectF& r, const QString& text) {
    QLinearGradient wood(r.topLeft(), r.bottomLeft());
    wood.setColorAt(0, QColor(150, 98, 54));
    wood.setColorAt(1, QColor(96, 58, 30));
    p.setPen(QPen(kInk, 2.5));
    p.setBrush(wood);
    p.drawRoundedRect(r, 12, 12);
    p.setPen(QPen(QColor(212, 170, 84), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(5, 5, -5, -5), 8, 8);
    p.setPen(QPen(QColor(120, 76, 40), 1));
    for (double y = r.top() + 14; y < r.bottom() - 8; y += 9) p.drawLine(QPointF(r.left() + 14, y), QPointF(r.right() - 14, y));
    for (QPointF c : {r.topLeft() + QPointF(14, r.height() / 2), r.topRight() + QPointF(-14, r.height() / 2)}) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(210, 200, 180));
        p.drawEllipse(c, 3.5, 3.5);
    }
    paintTitle(p, text, font("DejaVu Serif", 30, true), r.center(), QColor(255, 246, 220),
               QColor(240, 206, 130), 1.2);
}

void paintNightLandscape(QPainter& p, QRandomGenerator& rng) {
    // The sky's gradient ends at the hills' base line, but a ridge dips below it in places: the sky's last
    // colour goes on down to the foot of the picture, so no unpainted band shows between sky and hill.
    paintGradient(p, QRect(0, 0, kW, 470), QColor(18, 24, 64), QColor(236, 140, 90));
    p.fillRect(QRect(0, 470, kW, kH - 470), QColor(236, 140, 90));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 180; ++i) {
        const QPointF at(rng.bounded(kW), rng.bounded(300));
        const int a = 90 + rng.bounded(160) - int(at.y() * 0.4);
        p.setBrush(QColor(255, 255, 240, std::clamp(a, 0, 255)));
        const double r = 0.6 + rng.generateDouble() * 1.2;
        p.drawEllipse(at, r, r);
    }
    QRadialGradient moon(QPointF(850, 110), 70);
    moon.setColorAt(0, QColor(255, 252, 230));
    moon.setColorAt(0.45, QColor(255, 248, 220));
    moon.setColorAt(0.5, QColor(255, 240, 200, 90));
    moon.setColorAt(1, QColor(255, 240, 200, 0));
    p.fillRect(QRect(770, 30, 160, 160), moon);
    paintHills(p, kW, 470, 30, QColor(84, 62, 96), rng);
    // The castle of the game on its hill, dark against the evening sky, with lit windows.
    const QColor stone(46, 36, 62);
    p.setBrush(stone);
    p.drawEllipse(QPointF(200, 520), 260, 90);
    p.drawRect(QRect(110, 330, 180, 150));
    for (int x : {96, 186, 280}) {
        p.drawRect(QRect(x, 290, 34, 190));
        p.drawPolygon(QPolygonF({QPointF(x - 6, 292), QPointF(x + 17, 240), QPointF(x + 40, 292)}));
    }
    for (int x = 110; x < 290; x += 16) p.drawRect(QRect(x, 320, 10, 12));
    p.setBrush(QColor(255, 210, 110));
    for (QPoint w : {QPoint(108, 320), QPoint(198, 310), QPoint(292, 330), QPoint(150, 380), QPoint(240, 390)})
        p.drawRoundedRect(QRect(w, QSize(9, 16)), 4, 4);
    paintHills(p, kW, 560, 24, QColor(40, 34, 54), rng);
    for (int x = -10; x < kW + 20; x += 30 + rng.bounded(20)) {
        const double h = 70 + rng.bounded(70);
        const double foot = 650 + rng.bounded(40);
        p.setBrush(QColor(20, 18, 30));
        p.drawPolygon(QPolygonF({QPointF(x - h * 0.25, foot), QPointF(x, foot - h), QPointF(x + h * 0.25, foot)}));
    }
    p.fillRect(QRect(0, 660, kW, 40), QColor(20, 18, 30));
}

} // namespace

MenuPicture paintMenu(const QString& title) {
    MenuPicture menu;
    menu.picture = QImage(kW, kH, QImage::Format_RGB32);
    QRandomGenerator rng(4004);
    QPainter p(&menu.picture);
    p.setRenderHint(QPainter::Antialiasing);
    paintNightLandscape(p, rng);
    paintTitle(p, title, font("DejaVu Serif", 92, true), QPointF(kW / 2.0 + 80, 120), QColor(255, 236, 150),
               QColor(214, 140, 40), 3.0);
    paintTitle(p, QStringLiteral("демонстрационное приключение"), font("DejaVu Serif", 28, false),
               QPointF(kW / 2.0 + 80, 200), QColor(255, 246, 230), QColor(236, 214, 180), 0.8);
    const QString items[4] = {QStringLiteral("Новая игра"), QStringLiteral("Открыть"), QStringLiteral("Сохранить"),
                              QStringLiteral("Help")};
    for (int k = 0; k < 4; ++k) {
        const QRect plaque(kW / 2 + 80 - 150, 270 + k * 84, 300, 62);
        paintPlaque(p, plaque, items[k]);
        // The click zone frames the plaque with a little room, so its outline does not hide the wood.
        menu.zones[static_cast<std::size_t>(k)] = plaque.adjusted(-6, -6, 6, 6);
    }
    return menu;
}

QImage paintHelp() {
    QImage image(kW, kH, QImage::Format_RGB32);
    QRandomGenerator rng(5005);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(0, 0, noiseTexture(QSize(kW, kH), QColor(232, 214, 172), 16, 6, 40, rng));
    paintVignette(p, image.rect(), 150);
    p.setPen(QPen(QColor(120, 84, 44), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(24, 24, kW - 48, kH - 48), 18, 18);
    p.setPen(QPen(QColor(120, 84, 44), 1));
    p.drawRoundedRect(QRectF(34, 34, kW - 68, kH - 68), 14, 14);
    paintTitle(p, QStringLiteral("Как играть"), font("DejaVu Serif", 56, true), QPointF(kW / 2.0, 92),
               QColor(170, 84, 36), QColor(110, 46, 18), 1.5);
    struct Line {
        int icon; // an item picture beside the line, 0 = a bullet
        const char* text;
    };
    const Line lines[] = {
        {0, "Щёлкните мышью по дорожке или полу — герой пойдёт туда."},
        {0, "Мышь у верхнего края экрана — откроется сумка с предметами."},
        {kItemKey, "Щёлкните по предмету в сумке, чтобы взять его в руку,"},
        {-1, "и щёлкните им по двери или персонажу, чтобы его применить."},
        {kItemApple, "Щёлкните по предмету в сцене — герой подберёт его."},
        {kItemPotion, "Два подходящих предмета соединяются в сумке в новый."},
        {0, "Правая кнопка мыши отменяет поход к двери или персонажу."},
        {0, "Клавиша Esc возвращает в меню."},
    };
    const QFont body = font("DejaVu Sans", 21);
    p.setFont(body);
    int y = 170;
    for (const Line& line : lines) {
        if (line.icon > 0) {
            p.drawImage(QPoint(78, y - 33), keyedToTransparent(paintItem(line.icon, 50)));
        } else if (line.icon == 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(150, 70, 30));
            p.drawEllipse(QPointF(103, y - 8), 7, 7);
        }
        p.setPen(QColor(60, 36, 20));
        p.drawText(QPointF(150, y), QString::fromUtf8(line.text));
        y += line.icon == -1 ? 52 : 58;
    }
    paintTitle(p, QStringLiteral("Esc — в меню"), font("DejaVu Serif", 28, true), QPointF(kW / 2.0, 640),
               QColor(170, 84, 36), QColor(110, 46, 18), 1.0);
    return image;
}

QImage paintItemPanel() {
    QImage image(kW, 60, QImage::Format_RGB32);
    QRandomGenerator rng(6006);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Leather with stitching, a bag at the left end (where a held item is put down), slot frames.
    p.drawImage(0, 0, noiseTexture(image.size(), QColor(112, 72, 42), 14, 8, 12, rng));
    QLinearGradient shade(0, 0, 0, 60);
    shade.setColorAt(0, QColor(255, 230, 200, 50));
    shade.setColorAt(1, QColor(0, 0, 0, 90));
    p.fillRect(image.rect(), shade);
    p.setPen(QPen(QColor(230, 196, 130), 1.2, Qt::DashLine));
    p.drawLine(QPointF(4, 2.5), QPointF(kW - 4, 2.5));
    p.drawLine(QPointF(4, 57.5), QPointF(kW - 4, 57.5));
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(170, 116, 62));
    QPainterPath bag;
    bag.moveTo(18, 52);
    bag.cubicTo(6, 52, 8, 22, 24, 18);
    bag.lineTo(46, 18);
    bag.cubicTo(62, 22, 64, 52, 52, 52);
    bag.closeSubpath();
    p.drawPath(bag);
    p.setBrush(QColor(130, 84, 44));
    p.drawRoundedRect(QRectF(20, 10, 30, 12), 5, 5);
    p.setBrush(QColor(230, 190, 80));
    p.drawEllipse(QPointF(35, 28), 3, 3);
    for (int k = 1; k <= kBagSlots; ++k) {
        const QRectF slot(51 * k + 20, 5, 50, 50);
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(58, 38, 24));
        p.drawRoundedRect(slot.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        p.setPen(QPen(QColor(200, 160, 100), 1.2));
        p.setBrush(QColor(84, 56, 34));
        p.drawRoundedRect(slot.adjusted(3, 3, -3, -3), 4, 4);
    }
    return image;
}

QImage paintTextShadow() {
    SpriteCanvas canvas(QSize(380, 80), 2);
    QPainter& p = canvas.painter();
    p.setPen(QPen(QColor(90, 80, 110), 2));
    p.setBrush(QColor(22, 20, 34));
    p.drawRoundedRect(QRectF(2, 2, 376, 76), 16, 16);
    return canvas.finish();
}

} // namespace tw::demo
