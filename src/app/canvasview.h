#pragma once

#include "runtime/engine.h"

#include <QImage>
#include <QWidget>

namespace tw {

// The canvas Image1: shows the top-left part of the engine's 1009 x 700 canvas picture that fits the
// widget and hands its mouse events to the engine. It only displays and forwards.
class CanvasView final : public QWidget {
    Q_OBJECT
public:
    explicit CanvasView(Engine& engine, QWidget* parent = nullptr);

signals:
    // The pointer asks the editor panel to show or hide.
    void panelChangeRequested(tw::PanelChange change);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Engine& engine_;
};

} // namespace tw
