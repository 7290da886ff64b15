#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <array>

namespace tw::demo {

// The game menu with the game's title and its four items painted on it, and the click zone around each
// item, in the order of the menu zones: "Новая игра", "Открыть", "Сохранить", "Help".
struct MenuPicture {
    QImage picture; // 1009 x 700
    std::array<QRect, 4> zones;
};
MenuPicture paintMenu(const QString& title);

// The help screen, 1009 x 700: how to play, in Russian.
QImage paintHelp();

// The item panel, 1009 x 60, with a frame painted where the game draws bag slot k = 1..18
// (x = 51k + 20, y = 5, 50 x 50).
QImage paintItemPanel();

// The shadow drawn under dialog texts: a dark rounded panel on the key colour.
QImage paintTextShadow();

} // namespace tw::demo
