#pragma once

#include <QWidget>

namespace tw {

class Editor;

// "Аниматор": loading the animation sheet, erasing every animation and the two help texts. The frames
// themselves are edited on Panel2 (AnimatorPanel) and on the canvas.
class AnimatorPage final : public QWidget {
    Q_OBJECT
public:
    AnimatorPage(Editor& editor, QWidget* parent);

signals:
    // "Загрузить набор" read the sheet again: the canvas shows it anew.
    void sheetLoaded();
    // "Стереть все мульты!" rewrote the animation table.
    void recordReplaced();

private:
    Editor& editor_;
};

// Label41: loading a sheet and the steps of making an animation. Label42: the two kinds of animation.
extern const char* const kAnimatorHelp;
extern const char* const kAnimationKindsHelp;

} // namespace tw
