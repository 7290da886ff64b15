#pragma once

#include <QWidget>

class QLabel;

namespace tw {

class Editor;

// "Комикс": the comic stepper (comicPick, shared with the plot editor's door page) with the comic's number,
// the preview Image11
// and the buttons that add a comic and replace the chosen one.
class ComicPage final : public QWidget {
    Q_OBJECT
public:
    ComicPage(Editor& editor, QWidget* parent);

    // Shows comic comicPick stretched to the preview; empty when there is none.
    void showPick();

signals:
    // comicPick or comicCount changed: the plot editor's door page follows.
    void pickChanged();

protected:
    // Coming into view (the page chosen or the panel brought up) shows the comic as it is now.
    void showEvent(QShowEvent* event) override;

private:
    Editor& editor_;
    QLabel* number_ = nullptr;  // "Комикс " + comicPick
    QLabel* preview_ = nullptr; // Image11
};

} // namespace tw
