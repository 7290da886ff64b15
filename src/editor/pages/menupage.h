#pragma once

#include <QWidget>

namespace tw {

class Editor;

// "Меню игры": the menu and help backgrounds, the four click-zone buttons and the page's help text.
class MenuPage final : public QWidget {
    Q_OBJECT
public:
    MenuPage(Editor& editor, QWidget* parent);

signals:
    // A background was replaced and the menu or help screen is shown.
    void canvasChanged();
};

} // namespace tw
