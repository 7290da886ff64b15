#include "editor/pages/menupage.h"

#include "editor/editor.h"
#include "editor/editorshell.h"
#include "editor/pages/widgets.h"
#include "editor/picturesets.h"

#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace tw {

MenuPage::MenuPage(Editor& editor, QWidget* parent) : QWidget(parent) {
    Engine& engine = editor.engine();
    auto* menu = speedButton(this, "SpeedButton1", QStringLiteral("фон меню (bmp 1009x700)"), 380, 70, 190, 26);
    auto* help = speedButton(this, "SpeedButton6", QStringLiteral("фон help (bmp 1009x700)"), 580, 70, 190, 26);
    connect(menu, &QToolButton::clicked, this, [this, &editor] {
        if (replaceBackdrop(editor, Backdrop::Menu)) emit canvasChanged();
    });
    connect(help, &QToolButton::clicked, this, [this, &editor] {
        if (replaceBackdrop(editor, Backdrop::Help)) emit canvasChanged();
    });
    auto* zones = new QGroupBox(QStringLiteral("Зоны клика мышкой (нажать, растянуть, отпустить)"), this);
    zones->setGeometry(6, 4, 360, 100);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"SpeedButton2", "Новая игра"}, {"SpeedButton3", "Открыть"}, {"SpeedButton4", "Сохранить"},
                   {"SpeedButton5", "Help"}};
    for (int k = 1; k <= 4; ++k) {
        auto* button = speedButton(zones, buttons[k - 1].name, QString::fromUtf8(buttons[k - 1].caption),
                                   10 + ((k - 1) % 2) * 170, 24 + ((k - 1) / 2) * 32, 160, 26);
        connect(button, &QToolButton::clicked, this, [&engine, k] { armMenuZone(engine, k); });
    }
    label(this, "Label39",
          QStringLiteral("Все надписи (меню, help) должны быть нарисованы на загружаемых фонах.\n"
                         "Зоны клика мышкой растягиваются с верхнего левого угла,\n"
                         "в правый нижний угол, на соответствующих пунктах меню."),
          380, 10);
}

} // namespace tw
