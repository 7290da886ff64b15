#pragma once

#include <QWidget>

class QLabel;

namespace tw {

class Editor;

// "Дверь": the door picture stepper (closedDoorPick, shared with the plot editor's door page) with the
// picture's number, the preview Image10 and the replacement of the picture.
class DoorPage final : public QWidget {
    Q_OBJECT
public:
    DoorPage(Editor& editor, QWidget* parent);

    // Shows door picture closedDoorPick.
    void showPick();

signals:
    // closedDoorPick or its picture changed: the plot editor's door page follows.
    void pickChanged();

private:
    Editor& editor_;
    QLabel* number_ = nullptr;  // "Дверь " + closedDoorPick
    QLabel* preview_ = nullptr; // Image10
};

} // namespace tw
