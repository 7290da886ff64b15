#include "editor/pages/widgets.h"

#include <QLabel>
#include <QScrollArea>
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

QLabel* pictureLabel(QWidget* parent, const char* name, const QRect& at) {
    auto* image = new QLabel(parent);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(at);
    return image;
}

QLabel* helpText(QWidget* parent, const char* name, const QString& text, const QRect& area) {
    auto* scroll = new QScrollArea(parent);
    scroll->setGeometry(area);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    auto* help = new QLabel(text);
    if (name) help->setObjectName(QLatin1String(name));
    QFont small = help->font();
    small.setPixelSize(10);
    help->setFont(small);
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(help);
    scroll->viewport()->setAutoFillBackground(false);
    help->setAutoFillBackground(false);
    return help;
}

} // namespace tw
