#include "player/playerview.h"

#include "runtime/engine.h"
#include "runtime/gamesession.h"
#include "runtime/inputrecorder.h"
#include "toolkit/toolkittypes.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace tw {
namespace {

QColor zoneColour(ActionZone::Kind kind) {
    switch (kind) {
    case ActionZone::Kind::Item:
        return QColor(255, 214, 64);
    case ActionZone::Kind::Character:
        return QColor(96, 230, 120);
    case ActionZone::Kind::Hint:
        return QColor(96, 190, 255);
    case ActionZone::Kind::DoorKey:
        return QColor(255, 150, 60);
    case ActionZone::Kind::Portal:
        return QColor(210, 120, 255);
    }
    return Qt::white;
}

} // namespace

PlayerView::PlayerView(Engine& engine, GameSession& session, QWidget* parent)
    : QWidget(parent), engine_(engine), session_(session) {
    setObjectName(QStringLiteral("PlayerView"));
    setAccessibleName(QStringLiteral("Игровое поле"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Keys belong to the window; the view only shows and forwards the pointer.
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(kPlayWidth / 4, kPlayHeight / 4);
}

QRect PlayerView::shownRect() const {
    const double scale = std::min(double(width()) / kPlayWidth, double(height()) / kPlayHeight);
    const int w = std::clamp(int(std::lround(kPlayWidth * scale)), 1, std::max(1, width()));
    const int h = std::clamp(int(std::lround(kPlayHeight * scale)), 1, std::max(1, height()));
    return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

std::optional<QPoint> PlayerView::canvasPoint(QPointF at, bool clamped) const {
    const QRect shown = shownRect();
    const double u = at.x() - shown.left();
    const double v = at.y() - shown.top();
    if (!clamped && (u < 0 || v < 0 || u >= shown.width() || v >= shown.height())) return std::nullopt;
    // The picture is scaled by shownWidth / 1009 across and shownHeight / 700 down; the point goes back
    // through the same scale, and the canvas pixel is the one it falls in.
    const double x = std::floor(u * kPlayWidth / shown.width());
    const double y = std::floor(v * kPlayHeight / shown.height());
    return QPoint(int(std::clamp(x, 0.0, double(kPlayWidth - 1))),
                  int(std::clamp(y, 0.0, double(kPlayHeight - 1))));
}

QRect PlayerView::widgetRect(const QRect& area) const {
    const QRect shown = shownRect();
    // Canvas column c is shown by the widget columns px with floor((px - left) * 1009 / w) = c: from
    // left + ceil(c * w / 1009) up to left + ceil((c + 1) * w / 1009) - 1.
    const auto start = [](long long v, long long size, long long total) {
        return int((v * size + total - 1) / total);
    };
    const int left = shown.left() + start(area.left(), shown.width(), kPlayWidth);
    const int right = shown.left() + start(area.right() + 1, shown.width(), kPlayWidth) - 1;
    const int top = shown.top() + start(area.top(), shown.height(), kPlayHeight);
    const int bottom = shown.top() + start(area.bottom() + 1, shown.height(), kPlayHeight) - 1;
    return QRect(QPoint(left, top), QPoint(std::max(left, right), std::max(top, bottom)));
}

void PlayerView::showChanges(const ChangedArea& within) {
    const ChangedArea changed = shown_.update(engine_.canvas(), within);
    if (changed.isEmpty()) return;
    const QRect shown = shownRect();
    if (shown.size() == QSize(kPlayWidth, kPlayHeight)) {
        update(toQt(changed.translated(fromQt(shown.topLeft()))));
        return;
    }
    // A smoothly scaled pixel blends its neighbours: a changed canvas pixel shows a little beyond its own
    // widget pixels.
    QRegion area;
    for (const Rect& band : changed)
        area += widgetRect(toQt(band)).adjusted(-2, -2, 2, 2);
    update(area & shown);
}

void PlayerView::showChanges() {
    showChanges(ChangedArea(engine_.canvas().rect()));
}

QRect PlayerView::zoneArea(const ActionZone& zone) const {
    const int pen = std::max(3, int(std::lround(4.0 * shownRect().width() / kPlayWidth)));
    return widgetRect(toQt(zone.rect)).adjusted(-pen - 1, -pen - 1, pen + 1, pen + 1);
}

void PlayerView::setZones(std::vector<ActionZone> zones) {
    if (zones == zones_) return;
    QRegion area;
    for (const ActionZone& zone : zones_)
        area += zoneArea(zone);
    for (const ActionZone& zone : zones)
        area += zoneArea(zone);
    zones_ = std::move(zones);
    update(area);
}

void PlayerView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect shown = shownRect();
    const QRegion bars = QRegion(rect()) - shown;
    for (const QRect& area : event->region() & bars)
        painter.fillRect(area, Qt::black);

    // The copy's own pixels, shown without copying them again.
    const QImage picture = toQt(shown_.copy());
    if (picture.isNull()) {
        painter.fillRect(shown, Qt::black);
    } else if (shown.size() == picture.size()) {
        // Rectangle by rectangle: the bounding rectangle of a few changed bands far apart is most of the
        // canvas.
        for (const QRect& area : event->region() & shown)
            painter.drawImage(area, picture, area.translated(-shown.topLeft()));
    } else {
        // The painter is clipped to the region being repainted, so only that part is scaled.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(shown, picture);
    }
    if (!zones_.empty()) paintZones(painter);

    if (!painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, &PlayerView::firstPainted);
    }
}

void PlayerView::paintZones(QPainter& painter) const {
    const double scale = double(shownRect().width()) / kPlayWidth;
    const double pen = std::max(2.0, 2.0 * scale);
    const double radius = std::max(4.0, 6.0 * scale);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ActionZone& zone : zones_) {
        const QRectF r = QRectF(widgetRect(toQt(zone.rect))).adjusted(0.5, 0.5, -0.5, -0.5);
        QColor colour = zoneColour(zone.kind);
        // A soft halo, a tinted inside and a clear line on top.
        colour.setAlpha(70);
        painter.setPen(QPen(colour, pen * 2.5));
        colour.setAlpha(45);
        painter.setBrush(colour);
        painter.drawRoundedRect(r, radius, radius);
        colour.setAlpha(220);
        painter.setPen(QPen(colour, pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(r, radius, radius);
    }
}

void PlayerView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
}

void PlayerView::press(QMouseEvent* event, bool second) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    const std::optional<QPoint> at = canvasPoint(event->position(), false);
    if (!at) return; // a press on the bars
    const MouseButton button = event->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
    if (recorder_ && second) recorder_->doubleClicked(button, at->x(), at->y());
    else if (recorder_) recorder_->pressed(button, at->x(), at->y());
    session_.mouseDown(button, at->x(), at->y());
    showChanges();
    emit inputReceived();
}

void PlayerView::mousePressEvent(QMouseEvent* event) {
    press(event, false);
}

// The second press of a double-click arrives here instead of as a press; in play it is a press like any.
void PlayerView::mouseDoubleClickEvent(QMouseEvent* event) {
    press(event, true);
}

void PlayerView::mouseMoveEvent(QMouseEvent* event) {
    const std::optional<QPoint> at = canvasPoint(event->position(), true);
    // The game's item panel looks at the pointer's height in canvas pixels: the canvas is 700 high.
    if (recorder_) recorder_->moved(at->x(), at->y(), kPlayHeight);
    engine_.mouseMove(at->x(), at->y(), kPlayHeight);
    showChanges();
    emit inputReceived();
}

void PlayerView::mouseReleaseEvent(QMouseEvent*) {
    if (recorder_) recorder_->released();
    engine_.mouseUp();
    showChanges();
    emit inputReceived();
}

} // namespace tw
