#pragma once

#include "editor/editorshell.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace tw {

class Engine;
class HeroPage;
class PlotPage;
class SceneStepper;

// Panel1: the editor's page control PageControl1 with its fourteen tabs, along the bottom of the window.
class EditorPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 169;

    EditorPanel(Engine& engine, QWidget* parent);

    // Fills the controls that show record values (after start-up).
    void loadFromRecord();
    // The text of the game name field Edit15.
    QString gameNameText() const;
    // Per frame of the scene: controls that follow the play (the hero's speed buttons).
    void followPlay();
    HeroPage* heroPage() const { return heroPage_; }
    QTabWidget* pages() const { return pages_; }

signals:
    // The chosen page changed the screen mode or the scene: the canvas must be shown anew.
    void canvasChanged();
    // The animator tab was entered (true) or left (false): Panel2 follows.
    void animatorShown(bool shown);
    void intervalSaved();

private:
    void pageChanged(int index);
    void refreshLabels();

    Engine& engine_;
    QTabWidget* pages_ = nullptr;
    SceneStepper* applicatorScenes_ = nullptr;
    SceneStepper* passabilityScenes_ = nullptr;
    PlotPage* plotPage_ = nullptr;
    HeroPage* heroPage_ = nullptr;
    QLabel* animationLabel_ = nullptr;  // Label2
    QLabel* itemLabel_ = nullptr;       // Label13
    QLabel* plotItemLabel_ = nullptr;   // Label19
    QLineEdit* gameNameEdit_ = nullptr; // Edit15
};

} // namespace tw
