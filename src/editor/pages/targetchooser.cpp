#include "editor/pages/targetchooser.h"

#include "editor/editor.h"
#include "editor/pages/portalpage.h"
#include "editor/pages/widgets.h"
#include "editor/portals.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace tw {

TargetChooser::TargetChooser(Editor& editor, QWidget* parent) : QFrame(parent), editor_(editor) {
    setObjectName(QStringLiteral("RzPanel1"));
    setGeometry(352, 344, 201, 89);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(silver);

    // The editor panel's compact face: the caption fits the panel's width in two lines.
    QFont compact = font();
    compact.setPixelSize(11);
    setFont(compact);
    auto* caption = label(this, nullptr, QStringLiteral("Выбор сцены, куда перейдет герой"), 4, 2);
    caption->setWordWrap(true);
    caption->setGeometry(4, 2, 193, 28);
    caption->setAlignment(Qt::AlignCenter);
    sceneSpin_ = steppingSpin(this, "SpinEdit7", 1, 1, 70, 31, 60);
    auto* arrival = speedButton(this, "SpeedButton56", QStringLiteral("Клик на точке появления"), 10, 59, 181);

    Engine& engine = editor.engine();
    connect(sceneSpin_, &QSpinBox::valueChanged, this, [this, &engine](int s) {
        editor_.change([&] { chooseTargetScene(engine, s); });
        emit canvasChanged();
    });
    connect(arrival, &QToolButton::clicked, this, [this, &engine] {
        armArrivalPick(engine);
        hide();
        emit canvasChanged();
    });
    hide();
}

void TargetChooser::follow() {
    const Engine& engine = editor_.engine();
    const bool wanted = editor_.state().targetChooserVisible;
    if (wanted) {
        const QSignalBlocker blocker(sceneSpin_);
        sceneSpin_->setRange(1, usableSceneCount(engine.record()));
        sceneSpin_->setValue(engine.screen().currentScene);
    }
    if (wanted != isVisible()) setVisible(wanted);
    if (wanted) raise();
}

} // namespace tw
