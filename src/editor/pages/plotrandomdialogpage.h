#pragma once

#include "editor/dialogs.h"
#include "editor/textpreview.h"

#include <QWidget>

#include <array>

class QLabel;

namespace tw {

class Editor;
class TextField;

// "Случайные диалоги" of the plot editor: the number of the random dialog, its four lines and
// "Сохранить". The lines belong to the scene shown; the boxes keep what the author typed until the number
// changes, so a scene switched before "Сохранить" receives them.
class PlotRandomDialogPage final : public QWidget {
    Q_OBJECT
public:
    PlotRandomDialogPage(Editor& editor, QWidget* parent);
    // Shows the number of EditorState anew (tab chosen, scene changed, undo).
    void showRecord();
    // While one of the text boxes has the focus: tells where the text will show (again, after the
    // record moved it).
    void refreshPreview() { showPreview(false); }

signals:
    // One of the text boxes gained or lost the focus, or its text changed.
    void textPreviewChanged(const tw::TextPreview& preview);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Random dialog currentRandomDialog of the scene shown fills the boxes.
    void loadLines();
    // As PlotDialogPage::showPreview: the four lines where the current dialog's text stands.
    void showPreview(bool clearWhenUnfocused);

    Editor& editor_;
    QLabel* number_; // Label38
    std::array<TextField*, kRandomDialogLines> lines_{}; // Edit11..Edit14
    bool loaded_ = false;
};

// The help text of the random dialog page (Label53).
extern const char* const kPlotRandomDialogHelp;

} // namespace tw
