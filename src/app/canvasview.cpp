#include "app/canvasview.h"

#include <QPaintEvent>
#include <QPainter>

namespace tw {

CanvasView::CanvasView(const QImage& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void CanvasView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, canvas_, area);
}

} // namespace tw
