#pragma once

#include "editor/dialogs.h"
#include "editor/textpreview.h"

#include <QWidget>

#include <array>
#include <vector>

class QButtonGroup;
class QLabel;
class QSpinBox;

namespace tw {

class Editor;
class TextField;

// "Диалог" of the plot editor: the dialog number, its kind, the two columns of four lines, the items the
// character wants and gives, and the buttons that store the dialog and place its click zone, its
// approach cell and its text. The texts and the kind stay what the author left in the boxes until a
// dialog is loaded (a change of the number, or the page's first showing); only the zone buttons store
// them.
class PlotDialogPage final : public QWidget {
    Q_OBJECT
public:
    PlotDialogPage(Editor& editor, QWidget* parent);
    // Shows the dialog number and the item pickers of EditorState anew (tab chosen, scene changed, undo).
    void showRecord();
    // While one of the text boxes has the focus: tells where the text will show (again, after the
    // record moved it).
    void refreshPreview() { showPreview(false); }
    // What the controls hold now.
    DialogForm form() const;

signals:
    void canvasChanged();
    // itemPickA or itemPickB changed: the combination panel shows the same choice.
    void picksChanged();
    // One of the text boxes gained or lost the focus, or its text changed.
    void textPreviewChanged(const tw::TextPreview& preview);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Dialog k of the scene shown fills the controls.
    void loadDialog(int k);
    // The controls the kind uses are shown; kind 0 leaves them as they are.
    void showKind(int kind);
    void showPicks();
    // Tells the canvas how the focused column will look in play; with no box focused, that there is
    // nothing to show when `clearWhenUnfocused` (the focus just left), else nothing (another page's box
    // may have it).
    void showPreview(bool clearWhenUnfocused);

    Editor& editor_;
    QSpinBox* dialogSpin_;      // SpinEdit12
    QButtonGroup* kinds_;       // RadioButton1..3, ids 1..3
    std::array<TextField*, kDialogLines> lines_{}; // Edit3..Edit10
    std::vector<QWidget*> secondColumn_; // Label35, Edit7..Edit10
    std::vector<QWidget*> giveControls_; // Label36, SpeedButton102, SpeedButton103, Image13
    std::vector<QWidget*> getControls_;  // Label37, SpeedButton104, SpeedButton105, Image14
    QLabel* givePicture_;       // Image13
    QLabel* getPicture_;        // Image14
    DialogControls shown_{true, true, true};
    bool loaded_ = false;
};

// The help text of the dialog page (Label54).
extern const char* const kPlotDialogHelp;

} // namespace tw
