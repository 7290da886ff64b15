#pragma once

#include "editor/textpreview.h"

#include <QWidget>

class QCheckBox;
class QTabWidget;

namespace tw {

class Editor;
class SceneStepper;
class SpotPage;
class PlotItemsPage;
class PlotDoorPage;
class PlotHeroRemarksPage;
class PlotHintsPage;
class PlotCrowdRemarksPage;
class PlotDialogPage;
class PlotRandomDialogPage;

// "Редактор сюжета": the scene buttons, the hero button, "Дорожки", the save point's two buttons and the
// plot editor's own page control with its nine sub-pages.
class PlotPage final : public QWidget {
    Q_OBJECT
public:
    PlotPage(Editor& editor, QWidget* parent);
    SceneStepper* sceneStepper() const { return stepper_; }
    QTabWidget* subPages() const { return subPages_; }
    // The sub-pages show the record's values anew (the tab was chosen, the record changed under them).
    void showRecord();
    // currentItem changed elsewhere: the items sub-page shows the item with its combination.
    void showItem();
    // The record may have moved the text being written (a canvas press placed it): its preview follows.
    void refreshPreview();

signals:
    // A sub-page changed the scene shown or what the canvas overlays.
    void canvasChanged();
    // The save point replaced the record.
    void recordReplaced();
    // A sub-page's text box gained or lost the focus, or its text changed.
    void textPreviewChanged(const tw::TextPreview& preview);

private:
    SceneStepper* stepper_;
    QTabWidget* subPages_;
    SpotPage* spotPage_ = nullptr;
    PlotItemsPage* itemsPage_ = nullptr;
    PlotDoorPage* doorPage_ = nullptr;
    PlotHeroRemarksPage* heroRemarksPage_ = nullptr;
    PlotHintsPage* hintsPage_ = nullptr;
    PlotCrowdRemarksPage* crowdRemarksPage_ = nullptr;
    PlotDialogPage* dialogPage_ = nullptr;
    PlotRandomDialogPage* randomDialogPage_ = nullptr;
};

// The plot editor's note on the hero's position (beside "Героя в точку (click)").
extern const char* const kPlotEditorHelp;

} // namespace tw
