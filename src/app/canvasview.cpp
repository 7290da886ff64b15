#include "app/canvasview.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "toolkit/toolkittypes.h"

#include <utility>

namespace tw {

CanvasView::CanvasView(Engine& engine, QWidget* parent) : QWidget(parent), engine_(engine) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A click on the canvas takes the keyboard focus from a text box, so a text being written stops
    // being drawn over the game once the author turns to the canvas.
    setFocusPolicy(Qt::ClickFocus);
}

void CanvasView::showChanges(const ChangedArea& within) {
    const ChangedArea changed = shown_.update(engine_.canvas(), within);
    if (!changed.isEmpty()) update(toQt(changed));
}

void CanvasView::setDecoration(Decoration decoration) {
    decoration_ = std::move(decoration);
    if (!decoration_) decorated_ = Picture();
    update();
}

void CanvasView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const Picture* picture = &engine_.canvas();
    if (decoration_) {
        decorated_ = engine_.canvas();
        decoration_(decorated_);
        picture = &decorated_;
    }
    // The picture's own pixels, shown without a copy.
    const QImage shown = toQt(*picture);
    // Rectangle by rectangle: the bounding rectangle of a few changed bands far apart is most of the canvas.
    for (const QRect& area : event->region())
        painter.drawImage(area, shown, area);
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        engine_.mouseDown(event->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left, at.x(), at.y());
        showChanges();
        emit inputReceived();
    }
}

// The second press of a double-click arrives here instead of as a press.
void CanvasView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        engine_.mouseDoubleClick(event->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left, at.x(),
                                 at.y());
        showChanges();
        emit inputReceived();
    }
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const PanelChange change = engine_.mouseMove(at.x(), at.y(), height());
    if (change != PanelChange::Keep) emit panelChangeRequested(change);
    showChanges();
    emit inputReceived();
}

void CanvasView::mouseReleaseEvent(QMouseEvent*) {
    engine_.mouseUp();
    showChanges();
    emit inputReceived();
}

} // namespace tw
