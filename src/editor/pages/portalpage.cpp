#include "editor/pages/portalpage.h"

#include "editor/editor.h"
#include "editor/pages/widgets.h"
#include "editor/portals.h"
#include "runtime/engine.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace tw {

const char* const kPortalHelp =
    "1.\tВыбираем номер, жмем \"Клик на точке размещения\".\n"
    "2.\tКликаем на клетке прохода, откуда герой уйдет.\n"
    "3.\tВ окошке выбираем сцену, куда он перейдет.\n"
    "4.\tЖмем \"Клик на точке появления\", кликаем на клетке,\n"
    "\tгде герой появится. Отмена - Esc или другая вкладка.\n"
    "Не надо размещать точки перехода и появления в одном месте, \n"
    "герой может зациклится.";

QSpinBox* steppingSpin(QWidget* parent, const char* name, int min, int max, int x, int y, int w) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(min, max);
    spin->setGeometry(x, y, w, 24);
    // The arrows and the arrow keys still step it; only typed text is refused.
    if (auto* edit = spin->findChild<QLineEdit*>()) edit->setReadOnly(true);
    return spin;
}

PortalPage::PortalPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    label(this, nullptr, QStringLiteral("Номер перехода на сцене (кол-5)"), 6, 6);
    numberSpin_ = steppingSpin(this, "SpinEdit6", 1, kPortalsPerScene, 6, 24);
    numberSpin_->setValue(editor_.state().portalSpin);
    connect(numberSpin_, &QSpinBox::valueChanged, this, [this](int k) { editor_.state().portalSpin = k; });

    auto* place = speedButton(this, "SpeedButton55", QStringLiteral("Клик на точке размещения"), 6, 54, 190);
    connect(place, &QToolButton::clicked, this, [this, &engine] {
        if (armPortalPlacement(engine, numberSpin_->value())) engine.reloadBackground();
        emit canvasChanged();
    });
    auto* remove = speedButton(this, "SpeedButton123", QStringLiteral("Убрать"), 6, 80, 190);
    connect(remove, &QToolButton::clicked, this, [this, &engine] {
        editor_.change([&] { removePortal(engine.record(), engine.screen().currentScene, numberSpin_->value()); });
        emit canvasChanged();
    });

    label(this, "Label45", QString::fromUtf8(kPortalHelp), 240, 4);
}

} // namespace tw
