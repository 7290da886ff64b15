#include "editor/pages/plotdoorpage.h"

#include "editor/doors.h"
#include "editor/editor.h"
#include "editor/pages/plotitemspage.h"
#include "editor/pages/portalpage.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <QLabel>
#include <QPainter>

#include <utility>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>


namespace tw {

const char* const kPlotDoorHelp = "Дверь - объект, перекрывающий ячейку прохода, \n"
                                  "открывается предметом - ключом.\n"
                                  "Комикс - картинка, показываемая после применения \n"
                                  "ключа и подхода героя к двери.\n"
                                  "1. Выбираем нужные картинки.\n"
                                  "2. Размещаем картинку закрытой двери на сцене.\n"
                                  "3. Растягиваем зону ключа на сцене.\n"
                                  "4. Устанавливаем ячейку подхода героя, сохраняем.";

PlotDoorPage::PlotDoorPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    EditorState& state = editor_.state();

    label(this, nullptr, QStringLiteral("двери (кол-3)"), 6, 2);
    doorSpin_ = steppingSpin(this, "SpinEdit10", 1, kDoorsPerScene, 6, 20, 56);
    doorSpin_->setValue(state.doorSpin);
    connect(doorSpin_, &QSpinBox::valueChanged, this, [this](int k) { loadDoor(k); });

    struct Pick {
        const char* caption;
        const char* down;
        const char* up;
        int* value;
        int high; // 0: the comic count
    };
    const Pick picks[] = {
        {"Закрытая", "SpeedButton53", "SpeedButton74", &state.closedDoorPick, kDoorPictures},
        {"Открытая", "SpeedButton75", "SpeedButton76", &state.openDoorPick, kDoorPictures},
        {"Ключ", "SpeedButton80", "SpeedButton81", &state.keyItemPick, kItemCapacity},
        {"Комикс", "SpeedButton91", "SpeedButton92", &state.comicPick, 0},
    };
    int x = 92;
    for (const Pick& p : picks) {
        label(this, nullptr, QString::fromUtf8(p.caption), x, 2);
        auto* stepper = new Stepper(this, p.down, p.up, QPoint(x, 18), 30, 22, 2);
        const int high = p.high;
        stepper->bind(*p.value, 1, [&engine, high] { return high > 0 ? high : int(engine.record().comicCount); });
        connect(stepper, &Stepper::changed, this, &PlotDoorPage::showRecord);
        x += 72;
    }
    closed_ = pictureLabel(this, "Image7", QRect(92, 44, 46, 68));
    open_ = pictureLabel(this, "Image8", QRect(164, 44, 46, 68));
    key_ = pictureLabel(this, "Image9", QRect(236, 44, 50, 50));
    comic_ = pictureLabel(this, "Image12", QRect(308, 44, 68, 68));

    auto* place = speedButton(this, "SpeedButton77", QStringLiteral("Разместить"), 384, 2, 100, 21);
    connect(place, &QToolButton::clicked, this, [this, &state] {
        state.doorArmed = true;
        state.doorEditing = true;
        emit canvasChanged();
    });
    auto* zone = speedButton(this, "SpeedButton78", QStringLiteral("Зона ключа"), 384, 24, 100, 21);
    connect(zone, &QToolButton::clicked, this, [this, &state] {
        state.keyZoneArmed = true;
        state.doorEditing = true;
        emit canvasChanged();
    });
    auto* cell = speedButton(this, "SpeedButton79", QStringLiteral("Подход героя"), 384, 46, 100, 21);
    connect(cell, &QToolButton::clicked, this, [this, &state] {
        state.doorCellArmed = true;
        emit canvasChanged();
    });
    auto* save = speedButton(this, "SpeedButton128", QStringLiteral("Сохран."), 384, 68, 100, 21);
    connect(save, &QToolButton::clicked, this, [this, &engine, &state] {
        editor_.change([&] { saveDoor(engine.record(), engine.screen().currentScene, state.doorSpin, doorPicks(state)); });
        emit canvasChanged();
    });
    auto* remove = speedButton(this, "SpeedButton125", QStringLiteral("Убрать"), 384, 90, 100, 21);
    connect(remove, &QToolButton::clicked, this, [this, &engine, &state] {
        editor_.change([&] { removeDoor(engine.record(), engine.screen().currentScene, state.doorSpin); });
        emit canvasChanged();
    });

    helpText(this, "Label49", QString::fromUtf8(kPlotDoorHelp), QRect(490, 0, 204, 112));
    // The picks keep the values they start with until the door number changes: building the page only
    // shows them.
    showRecord();
}

void PlotDoorPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showRecord();
}

void PlotDoorPage::loadDoor(int k) {
    Engine& engine = editor_.engine();
    EditorState& state = editor_.state();
    state.doorSpin = k;
    const Door& door = engine.record().scene(engine.screen().currentScene).door(k);
    showPicks(state, picksOf(door, engine.record().comicCount));
    showRecord();
}

void PlotDoorPage::showRecord() {
    Engine& engine = editor_.engine();
    const EditorState& state = editor_.state();
    {
        const QSignalBlocker blocker(doorSpin_);
        doorSpin_->setValue(state.doorSpin);
    }
    const Pictures& pictures = engine.pictures();
    closed_->setPixmap(cellPreview(pictures.doorStrip, 60, 90, state.closedDoorPick, closed_->size()));
    open_->setPixmap(cellPreview(pictures.doorStrip, 60, 90, state.openDoorPick, open_->size()));
    key_->setPixmap(cellPreview(pictures.largeItemStrip, 50, 50, state.keyItemPick, key_->size()));

    // Comics are files: read only while the page is in view, not for every refresh of a hidden page.
    if (!isVisible()) return;
    // The comic stretched to 137 x 137, of which the preview shows the top-left part. A missing comic
    // leaves the preview empty; the engine reports it once.
    QPixmap shown(105, 105);
    shown.fill(QColor(0xC0, 0xC0, 0xC0));
    Picture comic;
    if (engine.loadPicture(engine.paths().comic(state.comicPick), comic)) {
        QPainter painter(&shown);
        painter.drawImage(QRect(0, 0, 137, 137), toQt(std::as_const(comic)));
    }
    comic_->setPixmap(shown.scaled(comic_->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace tw
