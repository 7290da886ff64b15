#include "editor/pages/plotpage.h"

#include "editor/pages/scenestepper.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QToolButton>

namespace tw {

const char* const kPlotSubPages[] = {"Портал",         "Анимация",  "Предметы",          "Дверь",
                                     "Реплики героя",  "Подсказки", "Диалог",            "Случайные диалоги",
                                     "Случайные реплики"};

PlotPage::PlotPage(Engine& engine, QWidget* parent) : QWidget(parent) {
    stepper_ = new SceneStepper(engine, "SpeedButton48", "SpeedButton49", "Label6", this);
    stepper_->move(6, 4);
    auto* hero = speedButton(this, "SpeedButton50", QStringLiteral("Героя в точку (click)"), 6, 52, 150);
    connect(hero, &QToolButton::clicked, this, [&engine] { engine.editor().heroPlacementArmed = true; });
    auto* trails = new QCheckBox(QStringLiteral("Дорожки"), this);
    trails->setObjectName(QStringLiteral("CheckBox1"));
    trails->move(6, 80);
    connect(trails, &QCheckBox::toggled, this, [&engine](bool on) { engine.editor().trailsShown = on; });

    subPages_ = new QTabWidget(this);
    subPages_->setObjectName(QStringLiteral("PageControl2"));
    subPages_->setGeometry(300, 0, 700, 140);
    for (const char* caption : kPlotSubPages) subPages_->addTab(new QWidget(subPages_), QString::fromUtf8(caption));
}

} // namespace tw
