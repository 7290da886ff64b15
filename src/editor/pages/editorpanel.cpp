#include "editor/pages/editorpanel.h"

#include "editor/editor.h"
#include "editor/pages/animatorpage.h"
#include "editor/pages/applicatorpage.h"
#include "editor/pages/buildpage.h"
#include "editor/pages/comicpage.h"
#include "editor/pages/cursorsoundpages.h"
#include "editor/pages/doorpage.h"
#include "editor/pages/heropage.h"
#include "editor/pages/itemspage.h"
#include "editor/pages/menupage.h"
#include "editor/pages/passabilitypage.h"
#include "editor/pages/plotpage.h"
#include "editor/pages/scenestepper.h"
#include "editor/pages/widgets.h"
#include "editor/savepoint.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tw {

EditorPanel::EditorPanel(Editor& editor, Applicator& applicator, QWidget* parent)
    : QWidget(parent), editor_(editor), engine_(editor.engine()) {
    setObjectName(QStringLiteral("Panel1"));
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    // A compact face, so that all fourteen tabs fit across the window.
    QFont compact = font();
    compact.setPixelSize(11);
    setFont(compact);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    layout->addWidget(pages_);

    for (int tab = 0; tab < kEditorPageCount; ++tab) {
        QWidget* page = nullptr;
        switch (EditorPage(tab)) {
        case EditorPage::GameMenu: {
            auto* menu = new MenuPage(editor, pages_);
            connect(menu, &MenuPage::canvasChanged, this, &EditorPanel::canvasChanged);
            page = menu;
            break;
        }
        case EditorPage::Items:
            page = itemsPage_ = new ItemsPage(editor, pages_);
            connect(itemsPage_, &ItemsPage::itemChanged, this, [this] {
                refreshLabels();
                plotPage_->showItem();
            });
            break;
        case EditorPage::Door:
            page = doorPage_ = new DoorPage(editor, pages_);
            connect(doorPage_, &DoorPage::pickChanged, this, [this] { plotPage_->showRecord(); });
            break;
        case EditorPage::Comic:
            page = comicPage_ = new ComicPage(editor, pages_);
            connect(comicPage_, &ComicPage::pickChanged, this, [this] { plotPage_->showRecord(); });
            break;
        case EditorPage::Passability:
            page = passabilityPage_ = new PassabilityPage(editor, pages_);
            connect(passabilityPage_->sceneStepper(), &SceneStepper::sceneChanged, this, &EditorPanel::canvasChanged);
            connect(passabilityPage_, &PassabilityPage::cellsChanged, this, &EditorPanel::canvasChanged);
            break;
        case EditorPage::PlotEditor:
            page = plotPage_ = new PlotPage(editor, pages_);
            connect(plotPage_->sceneStepper(), &SceneStepper::sceneChanged, this, &EditorPanel::canvasChanged);
            connect(plotPage_, &PlotPage::recordReplaced, this, &EditorPanel::recordReplaced);
            connect(plotPage_, &PlotPage::canvasChanged, this, &EditorPanel::canvasChanged);
            connect(plotPage_, &PlotPage::textPreviewChanged, this, &EditorPanel::textPreviewChanged);
            break;
        case EditorPage::Animator: {
            auto* animator = new AnimatorPage(editor, pages_);
            connect(animator, &AnimatorPage::sheetLoaded, this, &EditorPanel::canvasChanged);
            connect(animator, &AnimatorPage::recordReplaced, this, &EditorPanel::recordReplaced);
            page = animator;
            break;
        }
        case EditorPage::Applicator: {
            auto* applicatorPage = new ApplicatorPage(applicator, pages_);
            applicatorScenes_ = applicatorPage->sceneStepper();
            connect(applicatorPage, &ApplicatorPage::canvasChanged, this, &EditorPanel::canvasChanged);
            page = applicatorPage;
            break;
        }
        case EditorPage::Cursors:
            page = new CursorsPage(editor, pages_);
            break;
        case EditorPage::Music:
            page = musicPage_ = new MusicPage(editor, pages_);
            break;
        case EditorPage::Build:
            page = buildPage_ = new BuildPage(editor, pages_);
            connect(buildPage_, &BuildPage::sceneChosen, this, &EditorPanel::showChosenScene);
            break;
        case EditorPage::Hero:
            page = heroPage_ = new HeroPage(editor, pages_);
            connect(heroPage_, &HeroPage::intervalSaved, this, &EditorPanel::intervalSaved);
            break;
        default:
            page = new QWidget(pages_);
            break;
        }
        pages_->addTab(page, QString::fromUtf8(kEditorPageCaptions[tab]));
    }


    auto* erasePlot = speedButton(pages_->widget(int(EditorPage::System)), "SpeedButton27",
                                  QStringLiteral("Стереть весь сюжет игры"), 6, 6, 200, 26);
    connect(erasePlot, &QToolButton::clicked, this, [this] {
        if (eraseWholePlot(editor_)) emit recordReplaced();
    });
    itemLabel_ = itemsPage_->itemLabel();

    connect(pages_, &QTabWidget::currentChanged, this, &EditorPanel::pageChanged);
    // A click on the tab already chosen enters its page again: after Esc the plot page is still the
    // chosen tab, and a click on it is how the author returns to the game.
    connect(pages_, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (index == pages_->currentIndex()) pageChanged(index);
    });
    hide();
}

void EditorPanel::loadFromRecord() {
    buildPage_->setGameName(QString::fromStdString(engine_.gameName()));
    showRecord();
}

void EditorPanel::showRecord() {
    heroPage_->loadAnimations();
    heroPage_->showSpeed();
    heroPage_->showInterval();
    passabilityPage_->showBrush();
    plotPage_->showRecord();
    refreshLabels();
    refreshPicturePages();
}

QString EditorPanel::gameNameText() const { return buildPage_->gameNameText(); }

void EditorPanel::refreshTextPreview() { plotPage_->refreshPreview(); }

void EditorPanel::followPlay() { heroPage_->showSpeed(); }

void EditorPanel::pageChanged(int index) {
    if (index < 0 || index >= kEditorPageCount) return;
    const auto page = EditorPage(index);
    selectPage(engine_, page);
    if (page == EditorPage::PlotEditor) {
        heroPage_->loadAnimations();
        plotPage_->showRecord();
    }
    refreshLabels();
    refreshPicturePages();
    musicPage_->showLoop();
    emit animatorShown(page == EditorPage::Animator);
    emit canvasChanged();
}

void EditorPanel::showChosenScene(int scene) {
    // Only the scene pages show a scene on the canvas; from any other, the plot editor's page is taken.
    const ScreenMode mode = engine_.screen().screenMode;
    if (mode != ScreenMode::Scene && mode != ScreenMode::Passability && mode != ScreenMode::Applicator) {
        const int plot = int(EditorPage::PlotEditor);
        if (pages_->currentIndex() == plot)
            pageChanged(plot);
        else
            pages_->setCurrentIndex(plot);
    }
    goToScene(engine_, scene);
    passabilityPage_->sceneStepper()->refresh();
    refreshLabels();
    emit canvasChanged();
}

void EditorPanel::refreshLabels() {
    applicatorScenes_->refresh();
    plotPage_->sceneStepper()->refresh();
    const QString item = QStringLiteral("Предмет ") + QString::number(editor_.state().currentItem);
    itemLabel_->setText(item);
    itemLabel_->adjustSize();
    itemsPage_->showItem();
}

void EditorPanel::refreshPicturePages() {
    doorPage_->showPick();
    comicPage_->showPick();
}

} // namespace tw
