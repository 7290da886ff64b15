#include "editor/pages/widgets.h"

#include <QLabel>
#include <QToolButton>

namespace tw {

QToolButton* speedButton(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setGeometry(x, y, w, h);
    return button;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* widget = new QLabel(text, parent);
    if (name) widget->setObjectName(QLatin1String(name));
    widget->move(x, y);
    widget->adjustSize();
    return widget;
}

} // namespace tw
