#pragma once

#include <QImage>
#include <QWidget>

namespace tw {

// The canvas Image1: shows the top-left part of the engine's 1009 x 700 canvas picture that fits the
// widget. It only displays; the picture is composed by the engine.
class CanvasView final : public QWidget {
    Q_OBJECT
public:
    explicit CanvasView(const QImage& canvas, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& canvas_;
};

} // namespace tw
