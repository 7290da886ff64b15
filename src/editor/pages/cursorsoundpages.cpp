#include "editor/pages/cursorsoundpages.h"

#include "editor/cursorsounds.h"
#include "editor/editor.h"
#include "editor/pages/widgets.h"
#include "platform/cursors.h"
#include "runtime/engine.h"

#include <QGroupBox>
#include <QToolButton>

namespace tw {

CursorsPage::CursorsPage(Editor& editor, QWidget* parent) : QWidget(parent) {
    auto* group = new QGroupBox(QStringLiteral("загрузить курсор .ani"), this);
    group->setGeometry(6, 4, 640, 96);
    struct Button {
        const char* name;
        const char* caption;
    };
    // In slot order: neutral, menu, transition, item, dialog, look, unavailable, clock.
    const Button buttons[kCursorSlots] = {
        {"SpeedButton7", "Нейтральный"}, {"SpeedButton8", "Меню"},       {"SpeedButton57", "Переход"},
        {"SpeedButton58", "Предмет"},    {"SpeedButton59", "Диалог"},    {"SpeedButton60", "Смотреть"},
        {"SpeedButton61", "Зона недоступности"}, {"SpeedButton120", "Часы"}};
    for (int slot = 1; slot <= kCursorSlots; ++slot) {
        const Button& b = buttons[slot - 1];
        const int column = (slot - 1) % 4;
        const int row = (slot - 1) / 4;
        auto* button = speedButton(group, b.name, QString::fromUtf8(b.caption), 10 + column * 156, 24 + row * 32, 150, 26);
        connect(button, &QToolButton::clicked, this, [&editor, slot] { replaceCursor(editor, slot); });
    }
}

MusicPage::MusicPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    struct Button {
        const char* name;
        const char* caption;
        GameSound sound;
    };
    const Button effects[] = {{"SpeedButton62", "Переход на другую сцену (wav)", GameSound::Transition},
                              {"SpeedButton63", "Клик (wav)", GameSound::Click},
                              {"SpeedButton114", "Событие (wav)", GameSound::Event}};
    int y = 6;
    for (const Button& b : effects) {
        auto* button = speedButton(this, b.name, QString::fromUtf8(b.caption), 6, y, 240, 26);
        connect(button, &QToolButton::clicked, this, [&editor, sound = b.sound] { replaceSound(editor, sound); });
        y += 32;
    }
    auto* music = speedButton(this, "SpeedButton112", QStringLiteral("Фоновый музон (mp3)"), 260, 6, 200, 26);
    connect(music, &QToolButton::clicked, this, [this] {
        replaceMusic(editor_);
        showLoop();
    });
    loop_ = speedButton(this, "SpeedButton113", QStringLiteral("Фон в редакторе гнать?"), 260, 38, 200, 26);
    loop_->setCheckable(true);
    connect(loop_, &QToolButton::clicked, this, [this] {
        toggleMusic(editor_.engine());
        showLoop();
    });
    showLoop();
}

void MusicPage::showLoop() { loop_->setChecked(editor_.engine().play().musicLoop); }

} // namespace tw
