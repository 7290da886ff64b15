#pragma once

#include "editor/textpreview.h"

#include <QWidget>

#include <functional>

class QLabel;
class QSpinBox;

namespace tw {

class Editor;
struct EditorState;
class TextField;

// A plot editor page that edits one short text of the record at a time. It shows the record's text,
// except where the author has typed and not yet stored: that text stays in its box through scene and
// page changes, and "Сохранить" stores it into the scene shown then. Choosing another number always
// shows that entry's text. While the box has the focus, the canvas shows the text where play will.
class PlotTextPage : public QWidget {
    Q_OBJECT
public:
    // The number and the text shown anew from the record.
    virtual void showRecord() = 0;
    // While the text box has the focus: tells where the text will show (again, after the record moved it).
    void refreshPreview();

signals:
    void canvasChanged();
    void textPreviewChanged(const tw::TextPreview& preview);

protected:
    PlotTextPage(Editor& editor, QWidget* parent);
    // The text box, and the "Сохранить" button that hands its text to `store`.
    void addText(const char* name, int capacity, const QRect& at, const char* saveName, const QRect& saveAt,
                 std::function<void(Editor&, const std::string&)> store);
    // A button that arms a canvas placement.
    void addArming(const char* name, const QString& caption, const QRect& at, bool EditorState::*flag);
    // Shows `text` unless the author is typing one of their own; `chosen`: another entry was chosen.
    void showText(const QString& text, bool chosen = false);
    // Where play would show `text` written as the current entry.
    virtual TextPreview previewOf(const QString& text) = 0;

    Editor& editor_;
    TextField* text_ = nullptr;
};

// "Реплики героя": the hero remark stepper, its text, "Сохранить" and "Разместить". The remarks belong to
// the whole game; the hero says one when he steps on its cell.
class PlotHeroRemarksPage final : public PlotTextPage {
    Q_OBJECT
public:
    PlotHeroRemarksPage(Editor& editor, QWidget* parent);
    void showRecord() override;

private:
    TextPreview previewOf(const QString& text) override;
    QLabel* number_; // Label31
};

// "Подсказки": the hint number of the scene shown, its text, "Сохранить", the zone and text position
// buttons and "Убрать".
class PlotHintsPage final : public PlotTextPage {
    Q_OBJECT
public:
    PlotHintsPage(Editor& editor, QWidget* parent);
    void showRecord() override;

private:
    TextPreview previewOf(const QString& text) override;
    QSpinBox* number_; // SpinEdit11
};

// "Случайные реплики": the crowd remark number, its text, "Сохранить" and "Разместить".
class PlotCrowdRemarksPage final : public PlotTextPage {
    Q_OBJECT
public:
    PlotCrowdRemarksPage(Editor& editor, QWidget* parent);
    void showRecord() override;

private:
    TextPreview previewOf(const QString& text) override;
    QSpinBox* number_; // SpinEdit15
};

// Help texts of the three pages (Label50, Label51, Label67).
extern const char* const kHeroRemarksHelp;
extern const char* const kHintsHelp;
extern const char* const kCrowdRemarksHelp;

} // namespace tw
