#pragma once

#include "canvas/shownpicture.h"
#include "runtime/engine.h"
#include "canvas/changedarea.h"
#include "canvas/picture.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace tw {

// The canvas Image1: shows the top-left part of the engine's 1009 x 700 canvas picture that fits the
// widget and hands its mouse events to the engine. It only displays and forwards.
class CanvasView final : public QWidget {
    Q_OBJECT
public:
    explicit CanvasView(Engine& engine, QWidget* parent = nullptr);

    // Repaints the part of the widget whose canvas pixels changed since they were last shown, and
    // nothing when none did. `within` narrows the search: the caller knows nothing changed outside it.
    void showChanges(const ChangedArea& within);
    void showChanges() { showChanges(ChangedArea(engine_.canvas().rect())); }

    // Something the editor draws over the canvas as it is shown, never into it (a text being written,
    // shown where the player will see it). The function draws on a copy of the canvas and returns the
    // area it drew on; an empty function takes the decoration away.
    using Decoration = std::function<Rect(Picture&)>;
    void setDecoration(Decoration decoration);

signals:
    // The pointer asks the editor panel to show or hide.
    void panelChangeRequested(tw::PanelChange change);
    // A press, move or release reached the engine.
    void inputReceived();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Engine& engine_;
    ShownPicture shown_;
    Decoration decoration_;
    Picture decorated_; // the canvas with the decoration, rebuilt for each paint while there is one
};

} // namespace tw
