#include "editor/pages/plotpage.h"

#include "editor/editor.h"
#include "editor/pages/scenestepper.h"
#include "editor/savepoint.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QToolButton>

namespace tw {

const char* const kPlotSubPages[] = {"Портал",         "Анимация",  "Предметы",          "Дверь",
                                     "Реплики героя",  "Подсказки", "Диалог",            "Случайные диалоги",
                                     "Случайные реплики"};

PlotPage::PlotPage(Editor& editor, QWidget* parent) : QWidget(parent) {
    Engine& engine = editor.engine();
    stepper_ = new SceneStepper(engine, "SpeedButton48", "SpeedButton49", "Label6", this);
    stepper_->move(6, 4);
    auto* hero = speedButton(this, "SpeedButton50", QStringLiteral("Героя в точку (click)"), 6, 52, 150);
    connect(hero, &QToolButton::clicked, this, [&engine] { engine.editor().heroPlacementArmed = true; });
    auto* trails = new QCheckBox(QStringLiteral("Дорожки"), this);
    trails->setObjectName(QStringLiteral("CheckBox1"));
    trails->move(6, 80);
    connect(trails, &QCheckBox::toggled, this, [&engine](bool on) { engine.editor().trailsShown = on; });

    auto* store = speedButton(this, "SpeedButton85", QStringLiteral("СОХРАНИТЬ"), 160, 4, 130, 24);
    connect(store, &QToolButton::clicked, this, [&editor] { storeSavePoint(editor); });
    auto* restore = speedButton(this, "SpeedButton86", QStringLiteral("ВОССТАНОВИТЬ"), 160, 32, 130, 24);
    connect(restore, &QToolButton::clicked, this, [this, &editor] {
        if (restoreSavePoint(editor)) emit recordReplaced();
    });

    subPages_ = new QTabWidget(this);
    subPages_->setObjectName(QStringLiteral("PageControl2"));
    subPages_->setGeometry(300, 0, 700, 140);
    for (const char* caption : kPlotSubPages) subPages_->addTab(new QWidget(subPages_), QString::fromUtf8(caption));
}

} // namespace tw
