#include "editor/pages/plotpage.h"

#include "editor/editor.h"
#include "editor/pages/plotdialogpage.h"
#include "editor/pages/plotdoorpage.h"
#include "editor/pages/plotitemspage.h"
#include "editor/pages/plotrandomdialogpage.h"
#include "editor/pages/portalpage.h"
#include "editor/pages/scenestepper.h"
#include "editor/pages/spotpage.h"
#include "editor/savepoint.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>

#include <iterator>

namespace tw {

const char* const kPlotSubPages[] = {"Портал",         "Анимация",  "Предметы",          "Дверь",
                                     "Реплики героя",  "Подсказки", "Диалог",            "Случайные диалоги",
                                     "Случайные реплики"};

const char* const kPlotEditorHelp =
    "Сцену сменили кнопками - герой может оказаться вне дорожек, ставим его кнопкой "
    "\"Героя в точку (click)\". Перед сборкой игры ставим героя на старт сюжета.";

PlotPage::PlotPage(Editor& editor, QWidget* parent) : QWidget(parent) {
    Engine& engine = editor.engine();
    stepper_ = new SceneStepper(engine, "SpeedButton48", "SpeedButton49", "Label6", this);
    stepper_->move(6, 4);
    auto* hero = speedButton(this, "SpeedButton50", QStringLiteral("Героя в точку (click)"), 6, 52, 150);
    connect(hero, &QToolButton::clicked, this, [&engine] { engine.editor().heroPlacementArmed = true; });
    auto* trails = new QCheckBox(QStringLiteral("Дорожки"), this);
    trails->setObjectName(QStringLiteral("CheckBox1"));
    trails->move(164, 62);
    connect(trails, &QCheckBox::toggled, this, [&engine](bool on) { engine.editor().trailsShown = on; });

    label(this, nullptr, QStringLiteral("Тестирование"), 162, 0);
    auto* store = speedButton(this, "SpeedButton85", QStringLiteral("СОХРАНИТЬ"), 160, 16, 130, 22);
    connect(store, &QToolButton::clicked, this, [&editor] { storeSavePoint(editor); });
    auto* restore = speedButton(this, "SpeedButton86", QStringLiteral("ВОССТАНОВИТЬ"), 160, 40, 130, 22);
    connect(restore, &QToolButton::clicked, this, [this, &editor] {
        if (restoreSavePoint(editor)) emit recordReplaced();
    });

    subPages_ = new QTabWidget(this);
    subPages_->setObjectName(QStringLiteral("PageControl2"));
    subPages_->setGeometry(300, 0, 700, 140);
    auto* portals = new PortalPage(editor, subPages_);
    connect(portals, &PortalPage::canvasChanged, this, &PlotPage::canvasChanged);
    spotPage_ = new SpotPage(editor, subPages_);
    itemsPage_ = new PlotItemsPage(editor, subPages_);
    connect(itemsPage_, &PlotItemsPage::canvasChanged, this, &PlotPage::canvasChanged);
    doorPage_ = new PlotDoorPage(editor, subPages_);
    connect(doorPage_, &PlotDoorPage::canvasChanged, this, &PlotPage::canvasChanged);
    dialogPage_ = new PlotDialogPage(editor, subPages_);
    connect(dialogPage_, &PlotDialogPage::canvasChanged, this, &PlotPage::canvasChanged);
    connect(dialogPage_, &PlotDialogPage::textPreviewChanged, this, &PlotPage::textPreviewChanged);
    // The dialog page's items are the combination panel's choice.
    connect(dialogPage_, &PlotDialogPage::picksChanged, itemsPage_, &PlotItemsPage::showRecord);
    randomDialogPage_ = new PlotRandomDialogPage(editor, subPages_);
    connect(randomDialogPage_, &PlotRandomDialogPage::textPreviewChanged, this, &PlotPage::textPreviewChanged);
    QWidget* const built[] = {portals, spotPage_, itemsPage_, doorPage_, nullptr, nullptr, dialogPage_, randomDialogPage_};
    for (const char* caption : kPlotSubPages) {
        const int index = subPages_->count();
        QWidget* page = index < int(std::size(built)) && built[index] ? built[index] : new QWidget(subPages_);
        subPages_->addTab(page, QString::fromUtf8(caption));
    }
    connect(subPages_, &QTabWidget::currentChanged, this, &PlotPage::showRecord);
    // Every scene has spots and doors of its own: those pages follow the scene buttons.
    connect(stepper_, &SceneStepper::sceneChanged, this, &PlotPage::showRecord);

    auto* help = new QLabel(QString::fromUtf8(kPlotEditorHelp), this);
    help->setObjectName(QStringLiteral("PlotEditorHelp"));
    help->setWordWrap(true);
    help->setGeometry(6, 80, 290, 60);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PlotPage::showRecord() {
    spotPage_->showSpot();
    itemsPage_->showRecord();
    doorPage_->showRecord();
    dialogPage_->showRecord();
    randomDialogPage_->showRecord();
}

void PlotPage::showItem() { itemsPage_->showItem(); }

} // namespace tw
