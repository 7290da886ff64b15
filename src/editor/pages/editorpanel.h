#pragma once

#include "editor/editorshell.h"
#include "editor/textpreview.h"

#include <QWidget>

class QLabel;
class QTabWidget;

namespace tw {

class Applicator;
class BuildPage;
class Editor;
class ComicPage;
class DoorPage;
class Engine;
class ItemsPage;
class MusicPage;
class HeroPage;
class PassabilityPage;
class PlotPage;
class SceneStepper;

// Panel1: the editor's page control PageControl1 with its fourteen tabs, along the bottom of the window.
class EditorPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 169;

    EditorPanel(Editor& editor, Applicator& applicator, QWidget* parent);

    // Fills the controls that show record values, and the game name field (after start-up).
    void loadFromRecord();
    // The record changed under the pages (undo, redo, a restore, an erase): the controls that show its
    // values show them anew. The game name field keeps what was typed; the record takes it at close.
    void showRecord();
    // The text of the game name field Edit15.
    QString gameNameText() const;
    // The text being written asks where it shows now (a press may have placed it).
    void refreshTextPreview();
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
    // A button replaced or rewrote the record as a whole.
    void recordReplaced();
    // A text of the game is being written (or no longer, when empty): the canvas shows it as play will.
    void textPreviewChanged(const tw::TextPreview& preview);

private:
    void pageChanged(int index);
    void refreshLabels();
    // A line of the game check's report chose a scene: the canvas shows it, as the scene buttons would.
    void showChosenScene(int scene);
    // The picture pages show the shared picks anew.
    void refreshPicturePages();

    Editor& editor_;
    Engine& engine_;
    QTabWidget* pages_ = nullptr;
    SceneStepper* applicatorScenes_ = nullptr;
    PassabilityPage* passabilityPage_ = nullptr;
    PlotPage* plotPage_ = nullptr;
    HeroPage* heroPage_ = nullptr;
    ItemsPage* itemsPage_ = nullptr;
    DoorPage* doorPage_ = nullptr;
    ComicPage* comicPage_ = nullptr;
    MusicPage* musicPage_ = nullptr;
    QLabel* itemLabel_ = nullptr;       // Label13
    BuildPage* buildPage_ = nullptr;
};

} // namespace tw
