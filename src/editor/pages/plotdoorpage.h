#pragma once

#include <QWidget>

class QLabel;
class QSpinBox;

namespace tw {

class Editor;

// "Дверь" of the plot editor: the door number, the closed, open, key and comic steppers with their
// previews, and the buttons that place the door, stretch its key zone, set the hero's approach cell, save
// the choices and remove the door. The choices live in EditorState; showRecord() shows them anew.
class PlotDoorPage final : public QWidget {
    Q_OBJECT
public:
    PlotDoorPage(Editor& editor, QWidget* parent);
    void showRecord();

signals:
    void canvasChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The door number changed: its stored choices become the picks.
    void loadDoor(int k);

    Editor& editor_;
    QSpinBox* doorSpin_;   // SpinEdit10
    QLabel* closed_;       // Image7
    QLabel* open_;         // Image8
    QLabel* key_;          // Image9
    QLabel* comic_;        // Image12
};

// The help text of the door page (Label49).
extern const char* const kPlotDoorHelp;

} // namespace tw
