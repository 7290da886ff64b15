#pragma once

#include "editor/textpreview.h"

#include <QWidget>

class QLabel;
class QSpinBox;

namespace tw {

class Editor;
class TextField;

// The text pages show the record's texts, except where the author has typed and not yet stored: that
// text stays in its box through scene and page changes, and "Сохранить" stores it into the scene shown
// then. Choosing another number always shows that entry's text.

// "Реплики героя": the hero remark stepper, its text, "Сохранить" and "Разместить". The remarks belong to
// the whole game; the hero says one when he steps on its cell.
class PlotHeroRemarksPage final : public QWidget {
    Q_OBJECT
public:
    PlotHeroRemarksPage(Editor& editor, QWidget* parent);
    void showRecord();
    // While the text box has the focus: tells where the text will show (again, after the record moved it).
    void refreshPreview();

signals:
    void canvasChanged();
    void textPreviewChanged(const tw::TextPreview& preview);

private:
    Editor& editor_;
    QLabel* number_; // Label31
    TextField* text_; // Edit1
};

// "Подсказки": the hint number of the scene shown, its text, "Сохранить", the zone and text position
// buttons and "Убрать".
class PlotHintsPage final : public QWidget {
    Q_OBJECT
public:
    PlotHintsPage(Editor& editor, QWidget* parent);
    void showRecord();
    void refreshPreview();

signals:
    void canvasChanged();
    void textPreviewChanged(const tw::TextPreview& preview);

private:
    Editor& editor_;
    QSpinBox* number_; // SpinEdit11
    TextField* text_;  // Edit2
};

// "Случайные реплики": the crowd remark number, its text, "Сохранить" and "Разместить".
class PlotCrowdRemarksPage final : public QWidget {
    Q_OBJECT
public:
    PlotCrowdRemarksPage(Editor& editor, QWidget* parent);
    void showRecord();
    void refreshPreview();

signals:
    void canvasChanged();
    void textPreviewChanged(const tw::TextPreview& preview);

private:
    Editor& editor_;
    QSpinBox* number_; // SpinEdit15
    TextField* text_;  // Edit16
};

// Help texts of the three pages (Label50, Label51, Label67).
extern const char* const kHeroRemarksHelp;
extern const char* const kHintsHelp;
extern const char* const kCrowdRemarksHelp;

} // namespace tw
