#include "editor/pages/plotpage.h"

#include "editor/canvasediting.h"
#include "editor/editor.h"
#include "editor/pages/plotdialogpage.h"
#include "editor/pages/plotdoorpage.h"
#include "editor/pages/plotitemspage.h"
#include "editor/pages/plotrandomdialogpage.h"
#include "editor/pages/plotremarkspage.h"
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
#include <type_traits>

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
    connect(hero, &QToolButton::clicked, this, [&engine] { editorState(engine).heroPlacementArmed = true; });
    auto* trails = new QCheckBox(QStringLiteral("Дорожки"), this);
    trails->setObjectName(QStringLiteral("CheckBox1"));
    trails->move(164, 62);
    connect(trails, &QCheckBox::toggled, this, [&engine](bool on) { editorState(engine).trailsShown = on; });

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
    heroRemarksPage_ = new PlotHeroRemarksPage(editor, subPages_);
    hintsPage_ = new PlotHintsPage(editor, subPages_);
    crowdRemarksPage_ = new PlotCrowdRemarksPage(editor, subPages_);
    const auto forward = [this](auto* textPage) {
        using Page = std::remove_pointer_t<decltype(textPage)>;
        connect(textPage, &Page::canvasChanged, this, &PlotPage::canvasChanged);
        connect(textPage, &Page::textPreviewChanged, this, &PlotPage::textPreviewChanged);
    };
    forward(heroRemarksPage_);
    forward(hintsPage_);
    forward(crowdRemarksPage_);
    dialogPage_ = new PlotDialogPage(editor, subPages_);
    connect(dialogPage_, &PlotDialogPage::canvasChanged, this, &PlotPage::canvasChanged);
    connect(dialogPage_, &PlotDialogPage::textPreviewChanged, this, &PlotPage::textPreviewChanged);
    // The dialog page's items are the combination panel's choice.
    connect(dialogPage_, &PlotDialogPage::picksChanged, itemsPage_, &PlotItemsPage::showRecord);
    randomDialogPage_ = new PlotRandomDialogPage(editor, subPages_);
    connect(randomDialogPage_, &PlotRandomDialogPage::textPreviewChanged, this, &PlotPage::textPreviewChanged);
    QWidget* const built[] = {portals,          spotPage_,  itemsPage_,  doorPage_,        heroRemarksPage_,
                              hintsPage_,       dialogPage_, randomDialogPage_, crowdRemarksPage_};
    static_assert(std::size(built) == std::size(kPlotSubPages));
    for (std::size_t index = 0; index < std::size(built); ++index)
        subPages_->addTab(built[index], QString::fromUtf8(kPlotSubPages[index]));
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
    heroRemarksPage_->showRecord();
    hintsPage_->showRecord();
    dialogPage_->showRecord();
    randomDialogPage_->showRecord();
    crowdRemarksPage_->showRecord();
}

void PlotPage::refreshPreview() {
    heroRemarksPage_->refreshPreview();
    hintsPage_->refreshPreview();
    dialogPage_->refreshPreview();
    randomDialogPage_->refreshPreview();
    crowdRemarksPage_->refreshPreview();
}

void PlotPage::showItem() { itemsPage_->showItem(); }

} // namespace tw
