#include "editor/pages/comicpage.h"

#include "editor/editor.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "editor/picturesets.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace tw {

ComicPage::ComicPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    number_ = label(this, "ComicNumber", QString(), 6, 4);
    auto* comics = new Stepper(this, "SpeedButton87", "SpeedButton88", QPoint(6, 26), 40);
    connect(comics, &Stepper::stepped, this, [this, &engine](int delta) {
        stepComicPick(engine, delta);
        showPick();
        emit pickChanged();
    });
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("Image11"));
    preview_->setGeometry(100, 2, 137, 137);
    auto* add = speedButton(this, "SpeedButton89", QStringLiteral("Добавить"), 250, 6, 90, 26);
    auto* replace = speedButton(this, "SpeedButton90", QStringLiteral("Заменить"), 250, 38, 90, 26);
    const auto act = [this](bool (*action)(Editor&)) {
        if (!action(editor_)) return;
        showPick();
        emit pickChanged();
    };
    connect(add, &QToolButton::clicked, this, [act] { act(&addComic); });
    connect(replace, &QToolButton::clicked, this, [act] { act(&replaceComic); });
}

void ComicPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showPick();
}

void ComicPage::showPick() {
    number_->setText(QStringLiteral("Комикс ") + QString::number(editor_.state().comicPick));
    number_->adjustSize();
    // Comics are files: read only while the page is in view, not on every refresh of a hidden page.
    if (!isVisible()) return;
    const QImage comic = comicPreview(editor_.engine());
    if (comic.isNull()) {
        preview_->clear();
    } else {
        preview_->setPixmap(QPixmap::fromImage(comic));
    }
}

} // namespace tw
