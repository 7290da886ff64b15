#pragma once

#include <optional>

namespace tw {

class Engine;

// The tabs of the editor panel, in tab order.
enum class EditorPage {
    GameMenu = 0,    // "Меню игры"
    Applicator = 1,  // "Аппликатор фона сцены"
    Animator = 2,    // "Аниматор"
    System = 3,      // "Система"
    Passability = 4, // "Проходимость"
    Music = 5,       // "Музон"
    PlotEditor = 6,  // "Редактор сюжета"
    Hero = 7,        // "Герой"
    Items = 8,       // "Предметы"
    Cursors = 9,     // "Курсор .ani"
    Door = 10,       // "Дверь"
    Comic = 11,      // "Комикс"
    Build = 12,      // "Сборка"
    About = 13,      // information only
};
inline constexpr int kEditorPageCount = 14;

// The captions of the tabs, in tab order.
extern const char* const kEditorPageCaptions[kEditorPageCount];

// A tab was chosen: abandons a portal placement under way (play keeps its state), sets the screen mode and the canvas pointer of that page, then reloads the
// background, loads the applicator's stamp or resets the view offset, and cuts the current item's
// pictures. The window refreshes its labels and previews afterwards.
void selectPage(Engine& engine, EditorPage page);

// "---" and "+" of the scene selectors: one scene down or up, clamped to 1..sceneCount, then the
// background of the current mode is reloaded.
void previousScene(Engine& engine);
void nextScene(Engine& engine);

// Shows scene s (clamped to 1..sceneCount) as the scene buttons do: play, not an edit. The hero's orders
// end when the scene changes; the background of the current mode is reloaded.
void goToScene(Engine& engine, int s);

// "Новая игра", "Открыть", "Сохранить", "Help" on the menu page: the next press-drag-release on the
// menu sets zone k (1..4).
void armMenuZone(Engine& engine, int k);

} // namespace tw
