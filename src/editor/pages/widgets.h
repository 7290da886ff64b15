#pragma once

#include <QString>

class QLabel;
class QRect;
class QToolButton;
class QWidget;

namespace tw {

// Small builders for the editor pages: every control gets the name it is known by as its objectName.
QToolButton* speedButton(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h = 22);
QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y);
// A label that shows a picture (a preview) at `at`.
QLabel* pictureLabel(QWidget* parent, const char* name, const QRect& at);
// A page's help text in a small face, wrapped to the width of `area` and scrolled when it is taller.
QLabel* helpText(QWidget* parent, const char* name, const QString& text, const QRect& area);

} // namespace tw
