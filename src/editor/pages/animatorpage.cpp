#include "editor/pages/animatorpage.h"

#include "editor/animator.h"
#include "editor/editor.h"
#include "editor/pages/widgets.h"
#include "editor/savepoint.h"

#include <QLabel>
#include <QToolButton>

#include <tuple>

namespace tw {

const char* const kAnimatorHelp =
    "Загрузка набора с кадрами перепишет настоящий.\n"
    "Размер набора должен иметь предел, не проверялось!\n"
    "Максимальное количество мультов - 100, кадров - 30.\n"
    "Большие размеры кадров (ширина, высота) могут затормозить игру.\n"
    "Создание мульта:\n"
    "1.\tВыбираем номер мульта.\n"
    "2.\tВыбираем или добавляем следующий номер кадра.\n"
    "3.\tРастягиваем мышкой зону видимости (в наборе) на нужном кадре.\n"
    "4.\tВыравниваем кадр по предыдущим (дергание кадра) \n"
    "                до создания следующего кадра.";

const char* const kAnimationKindsHelp =
    "В игре используется анимация двух видов.\n"
    "1. Циклическая - кадры следуют один за другим.\n"
    "2. Случайный кадр - для персонажей, смотрит вверх, далее, \n"
    "    как бы тыкву чешет и тд…\n"
    "У главного героя пять мультов, стоит, идет влево, вправо, вперед, назад. \n"
    "Кадры для набора можно брать из 3D редакторов с готовой анимацией, \n"
    "выставляем ракурс, переключаем кадры, сохраняем в файл или \n"
    "используем захват экрана.";

AnimatorPage::AnimatorPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    auto* load = speedButton(this, "SpeedButton22", QStringLiteral("Загрузить набор"), 6, 6, 130, 26);
    connect(load, &QToolButton::clicked, this, [this] {
        loadSheet(editor_);
        emit sheetLoaded();
    });
    auto* erase = speedButton(this, "SpeedButton121", QStringLiteral("Стереть все мульты!"), 4, 110, 136, 24);
    connect(erase, &QToolButton::clicked, this, [this] {
        if (eraseAllAnimations(editor_)) emit recordReplaced();
    });
    // Both texts side by side in a smaller face, so that their longest lines fit across the page.
    QFont help = font();
    help.setPixelSize(10);
    for (auto [name, text, x] : {std::tuple{"Label41", kAnimatorHelp, 142}, std::tuple{"Label42", kAnimationKindsHelp, 586}}) {
        QLabel* widget = label(this, name, QString::fromUtf8(text), x, 2);
        widget->setFont(help);
        widget->adjustSize();
    }
}

} // namespace tw
