#pragma once

#include "canvas/changedarea.h"
#include "canvas/shownpicture.h"
#include "runtime/actionzones.h"

#include <QImage>
#include <QWidget>

#include <optional>
#include <vector>

namespace tw {

class Engine;
class GameSession;
class InputRecorder;

// Shows the engine's 1009 x 700 canvas scaled to the widget with its proportions kept, centred between
// black bars, smoothly scaled when its size differs from the canvas's. Only the parts of the canvas that
// changed since they were last shown are repainted. Mouse presses, moves and releases are mapped back to
// canvas pixels and handed to the game (presses on the bars go nowhere). The action zones, when given,
// are drawn over the picture, never into the canvas.
class PlayerView final : public QWidget {
    Q_OBJECT
public:
    PlayerView(Engine& engine, GameSession& session, QWidget* parent = nullptr);

    // Where the canvas is shown, in widget pixels.
    QRect shownRect() const;
    // The canvas pixel under a widget point: x = floor((px - left) * 1009 / shownWidth), the same for y.
    // A point on the bars gives nothing unless `clamped`, which takes it to the nearest edge pixel.
    std::optional<QPoint> canvasPoint(QPointF at, bool clamped) const;
    // The widget rectangle that shows the canvas rectangle `area`.
    QRect widgetRect(const QRect& area) const;

    // Repaints the part of the widget whose canvas pixels changed since they were last shown, and nothing
    // when none did. `within` narrows the search: the caller knows nothing changed outside it.
    void showChanges(const ChangedArea& within);
    void showChanges();
    // The canvas as it was last handed to the screen.
    const Picture& shownPicture() const { return shown_.copy(); }

    // Every press, move and release that reaches the game goes to `recorder` too; null: none.
    void setRecorder(InputRecorder* recorder) { recorder_ = recorder; }

    // Shows these zones over the picture; an empty list shows none.
    void setZones(std::vector<ActionZone> zones);
    const std::vector<ActionZone>& zones() const { return zones_; }

signals:
    // A press, move or release reached the game.
    void inputReceived();
    // The widget has been painted for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void press(QMouseEvent* event, bool second);
    // The widget area a zone's drawing covers.
    QRect zoneArea(const ActionZone& zone) const;
    void paintZones(QPainter& painter) const;

    Engine& engine_;
    GameSession& session_;
    ShownPicture shown_;
    std::vector<ActionZone> zones_;
    InputRecorder* recorder_ = nullptr;
    bool painted_ = false;
};

} // namespace tw
