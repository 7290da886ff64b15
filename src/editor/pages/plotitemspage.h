#pragma once

#include "canvas/picture.h"

#include <QPixmap>
#include <QWidget>

class QImage;
class QLabel;

namespace tw {

class Editor;

// Cell n (w x h) of a picture strip on a silver ground of size `size`, as stripPreview draws it.
QPixmap cellPreview(const Picture& strip, int w, int h, int n, QSize size);

// "Предметы" of the plot editor: the item stepper with its picture, "Разместить" and "Убрать", and the
// combination panel Panel3 (partner and product steppers, "Сохранить", "стереть"). The numbers shown
// live in EditorState; showRecord() shows them and the record anew.
class PlotItemsPage final : public QWidget {
    Q_OBJECT
public:
    PlotItemsPage(Editor& editor, QWidget* parent);
    void showRecord();
    // After the item changed (its stepper, or the "Предметы" page's): the item's panel shows its stored
    // combination, or hides.
    void showItem();

signals:
    void canvasChanged();

private:
    void showPicks();

    Editor& editor_;
    QLabel* itemLabel_;      // Label19
    QLabel* picture_;        // Image4
    QLabel* compositeLabel_; // Label23
    QWidget* panel_;         // Panel3
    QLabel* pickALabel_;     // Label21
    QLabel* pickBLabel_;     // Label22
    QLabel* pickAPicture_;   // Image5
    QLabel* pickBPicture_;   // Image6
};

// The help text of the item page (Label47).
extern const char* const kPlotItemsHelp;

} // namespace tw
