#pragma once

#include <QWidget>

class QToolButton;

namespace tw {

class Editor;

// "Курсор .ani": the group "загрузить курсор .ani" with a button for each of the eight cursors.
class CursorsPage final : public QWidget {
    Q_OBJECT
public:
    CursorsPage(Editor& editor, QWidget* parent);
};

// "Музон": the three effects, the background music and the switch that plays it in a loop.
class MusicPage final : public QWidget {
    Q_OBJECT
public:
    MusicPage(Editor& editor, QWidget* parent);
    // The switch shows whether the music loops now.
    void showLoop();

private:
    Editor& editor_;
    QToolButton* loop_; // SpeedButton113
};

} // namespace tw
