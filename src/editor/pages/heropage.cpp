#include "editor/pages/heropage.h"

#include "editor/editor.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

namespace tw {
namespace {

// The five animation fields in the order of their spinners on the page.
std::uint8_t& animationField(ProjectRecord& record, int k) {
    switch (k) {
    case 0: return record.heroAnimForward;
    case 1: return record.heroAnimBack;
    case 2: return record.heroAnimLeft;
    case 3: return record.heroAnimRight;
    default: return record.heroAnimStand;
    }
}

constexpr int kSpeeds[3] = {2, 5, 10};

} // namespace

const char* const kHeroHelp =
    "Чем меньше интервал обновления, тем чаще сменяются кадры: все мульты (и герой, и сцены) "
    "бегут быстрее, и для плавного движения в них нужно больше кадров. В игру интервал попадает "
    "только кнопкой \"Сохранить\".";

HeroPage::HeroPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    auto* animations = new QGroupBox(QStringLiteral("Номера анимаций движения героя"), this);
    animations->setGeometry(4, 2, 420, 76);
    const struct {
        const char* name;
        const char* caption;
    } spins[5] = {{"SpinEdit1", "Вперед"}, {"SpinEdit2", "Назад"}, {"SpinEdit4", "Лево"}, {"SpinEdit5", "Право"},
                  {"SpinEdit3", "Стоять"}};
    for (int k = 0; k < 5; ++k) {
        label(animations, nullptr, QString::fromUtf8(spins[k].caption), 8 + 80 * k, 20);
        auto* spin = new QSpinBox(animations);
        spin->setObjectName(QLatin1String(spins[k].name));
        spin->setRange(1, 100);
        spin->setGeometry(8 + 80 * k, 40, 70, 24);
        connect(spin, &QSpinBox::valueChanged, this,
                [this, k](int value) { editor_.change([&] { animationField(record(), k) = std::uint8_t(value); }); });
        animationSpins_[k] = spin;
    }
    auto* save = speedButton(this, "SpeedButton110", QStringLiteral("Сохранить"), 4, 84, 100);
    connect(save, &QToolButton::clicked, this, [this] {
        editor_.change([&] {
            for (int k = 0; k < 5; ++k) animationField(record(), k) = std::uint8_t(animationSpins_[k]->value());
        });
    });

    auto* speed = new QGroupBox(QStringLiteral("Скорость героя"), this);
    speed->setGeometry(430, 2, 170, 76);
    const char* radioNames[3] = {"RadioButton4", "RadioButton5", "RadioButton6"};
    for (int k = 0; k < 3; ++k) {
        auto* radio = new QRadioButton(QString::number(kSpeeds[k]), speed);
        radio->setObjectName(QLatin1String(radioNames[k]));
        radio->move(10 + 52 * k, 36);
        connect(radio, &QRadioButton::clicked, this,
                [this, k] { editor_.change([&] { record().heroStep = std::uint8_t(kSpeeds[k]); }); });
        speedButtons_[k] = radio;
    }

    auto* interval = new QGroupBox(QStringLiteral("Интервал обновления"), this);
    interval->setGeometry(606, 2, 200, 76);
    intervalSpin_ = new QSpinBox(interval);
    intervalSpin_->setObjectName(QStringLiteral("SpinEdit16"));
    intervalSpin_->setRange(20, 100);
    intervalSpin_->setValue(50);
    intervalSpin_->setGeometry(10, 36, 70, 24);
    auto* saveInterval = speedButton(interval, "SpeedButton122", QStringLiteral("Сохранить"), 90, 36, 100);
    connect(saveInterval, &QToolButton::clicked, this, [this] {
        editor_.change([&] { record().tickInterval = intervalSpin_->value(); });
        emit intervalSaved();
    });

    auto* help = new QLabel(QString::fromUtf8(kHeroHelp), this);
    help->setObjectName(QStringLiteral("HeroHelp"));
    help->setWordWrap(true);
    help->setGeometry(812, 4, 185, 132);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* start = speedButton(this, "SpeedButton52", QStringLiteral("Стартовая позиция героя (click)"), 430, 84, 220);
    connect(start, &QToolButton::clicked, this, [this] { editor_.state().heroPlacementArmed = true; });
}

ProjectRecord& HeroPage::record() { return editor_.engine().record(); }

void HeroPage::loadAnimations() {
    for (int k = 0; k < 5; ++k) {
        // Setting a spinner writes it back; a stored number outside 1..100 stays as stored until edited.
        const QSignalBlocker blocker(animationSpins_[k]);
        animationSpins_[k]->setValue(animationField(record(), k));
    }
}

void HeroPage::showSpeed() {
    for (int k = 0; k < 3; ++k) {
        if (record().heroStep == kSpeeds[k] && !speedButtons_[k]->isChecked()) speedButtons_[k]->setChecked(true);
    }
}

void HeroPage::showInterval() {
    const QSignalBlocker blocker(intervalSpin_);
    intervalSpin_->setValue(record().tickInterval);
}

} // namespace tw
