#pragma once

#include <QWidget>

namespace tw {

class Engine;

// "Меню игры": the four click-zone buttons and the page's help text.
class MenuPage final : public QWidget {
    Q_OBJECT
public:
    MenuPage(Engine& engine, QWidget* parent);
};

} // namespace tw
