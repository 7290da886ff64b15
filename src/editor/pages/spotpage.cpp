#include "editor/pages/spotpage.h"

#include "editor/canvasediting.h"
#include "editor/editor.h"
#include "editor/pages/portalpage.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace tw {

const char* const kSpotHelp = "Совет: \n"
                              "герой перекрывает любую анимацию, \n"
                              "располагайте ее на дальних планах, \n"
                              "рядом с проходами.";

namespace {

AnimSpot& chosenSpot(Engine& engine) {
    return engine.record().scene(engine.screen().currentScene).animSpot(editorState(engine).spotSpin);
}

} // namespace

SpotPage::SpotPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    EditorState& state = editor_.state();
    label(this, nullptr, QStringLiteral("Номер анимации на сцене (кол-9)"), 6, 6);
    spotSpin_ = new QSpinBox(this);
    spotSpin_->setObjectName(QStringLiteral("SpinEdit8"));
    spotSpin_->setRange(1, kSpotsPerScene);
    spotSpin_->setGeometry(6, 24, 60, 24);
    spotSpin_->setValue(state.spotSpin);
    connect(spotSpin_, &QSpinBox::valueChanged, this, [this, &state](int k) {
        state.spotSpin = k;
        showSpot();
    });

    auto* place = speedButton(this, "SpeedButton51", QStringLiteral("Клик на точке размещения"), 6, 54, 190);
    connect(place, &QToolButton::clicked, this, [this, &engine, &state] {
        state.animSpotArmed = true;
        // The spinner takes the spot's animation without writing it back: arming changes nothing.
        const int stored = chosenSpot(engine).animation;
        if (isAnimationNumber(stored)) {
            const QSignalBlocker blocker(animationSpin_);
            animationSpin_->setValue(stored);
        }
        state.spotAnimationSpin = animationSpin_->value();
    });

    label(this, nullptr, QStringLiteral("Номер"), 230, 6);
    animationSpin_ = new QSpinBox(this);
    animationSpin_->setObjectName(QStringLiteral("SpinEdit9"));
    animationSpin_->setRange(1, kAnimationCapacity);
    animationSpin_->setGeometry(230, 24, 60, 24);
    animationSpin_->setValue(state.spotAnimationSpin);
    connect(animationSpin_, &QSpinBox::valueChanged, this, [this, &engine, &state](int a) {
        state.spotAnimationSpin = a;
        editor_.change([&] { chosenSpot(engine).animation = std::uint8_t(a); });
    });

    shownBox_ = new QCheckBox(QStringLiteral("Казать"), this);
    shownBox_->setObjectName(QStringLiteral("CheckBox2"));
    shownBox_->move(230, 56);
    connect(shownBox_, &QCheckBox::clicked, this, [this, &engine](bool on) {
        editor_.change([&] { chosenSpot(engine).visible = on ? 1 : 0; });
    });
    randomBox_ = new QCheckBox(QStringLiteral("Случайный кадр"), this);
    randomBox_->setObjectName(QStringLiteral("CheckBox3"));
    randomBox_->move(230, 80);
    connect(randomBox_, &QCheckBox::clicked, this, [this, &engine, &state](bool on) {
        state.spotRandomChecked = on;
        editor_.change([&] { chosenSpot(engine).randomFrame = on ? 1 : 0; });
    });

    label(this, "Label46", QString::fromUtf8(kSpotHelp), 360, 4);
    // Built before the record is read: the controls show the editor's state; the spot itself is shown
    // when the page is (showSpot).
    randomBox_->setChecked(state.spotRandomChecked);
}

void SpotPage::showSpot() {
    Engine& engine = editor_.engine();
    EditorState& state = editor_.state();
    const AnimSpot& spot = chosenSpot(engine);
    // Programmatic changes: the boxes write only when clicked, the spinner is kept quiet.
    shownBox_->setChecked(spot.visible == 1);
    randomBox_->setChecked(spot.randomFrame == 1);
    state.spotRandomChecked = randomBox_->isChecked();
    if (isAnimationNumber(spot.animation)) {
        const QSignalBlocker blocker(animationSpin_);
        animationSpin_->setValue(spot.animation);
        state.spotAnimationSpin = spot.animation;
    }
    const QSignalBlocker blocker(spotSpin_);
    spotSpin_->setValue(state.spotSpin);
}

} // namespace tw
