#include "editor/pages/applicatorpage.h"

#include "editor/applicator.h"
#include "editor/editor.h"
#include "editor/pages/portalpage.h"
#include "editor/pages/scenestepper.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

namespace tw {

const char* const kApplicatorHelp = "Переключение картинок - колесико мыши.\n"
                                    "Фоны загружаемых картинок должны быть \n"
                                    "одного цвета, отличного от используемых в \n"
                                    "картинке (цвет прозрачности - левый нижний пиксель).\n"
                                    "Сцена в игре используется как единая картинка - \n"
                                    "ее насыщенность большого значения не имеет.\n"
                                    "Можно сохранить фон в файл, обработать в графреде \n"
                                    "и загрузить обратно, или загрузить готовый (1009x700).";

namespace {

// A view preset's picture: a white square with a black band along the sides the scene is pushed from.
QPixmap presetIcon(bool top, bool bottom, bool left, bool right) {
    QPixmap icon(16, 16);
    icon.fill(Qt::white);
    QPainter painter(&icon);
    painter.setPen(QPen(Qt::gray, 1));
    painter.drawRect(0, 0, 15, 15);
    const int band = 4;
    if (top) painter.fillRect(0, 0, 16, band, Qt::black);
    if (bottom) painter.fillRect(0, 16 - band, 16, band, Qt::black);
    if (left) painter.fillRect(0, 0, band, 16, Qt::black);
    if (right) painter.fillRect(16 - band, 0, band, 16, Qt::black);
    return icon;
}

// A sun with a minus (darken) or a plus (lighten).
QPixmap sunIcon(bool plus) {
    QPixmap icon(20, 20);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 140, 0), 1.5));
    for (int k = 0; k < 8; ++k) {
        painter.save();
        painter.translate(10, 10);
        painter.rotate(45.0 * k);
        painter.drawLine(QPointF(0, 6.5), QPointF(0, 9.5));
        painter.restore();
    }
    painter.setBrush(QColor(255, 210, 0));
    painter.drawEllipse(QPointF(10, 10), 5.5, 5.5);
    painter.setPen(QPen(Qt::black, 1.6));
    painter.drawLine(QPointF(7, 10), QPointF(13, 10));
    if (plus) painter.drawLine(QPointF(10, 7), QPointF(10, 13));
    return icon;
}

QToolButton* pictureButton(QWidget* parent, const char* name, const QPixmap& icon, const QString& tip, QRect at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setIconSize(icon.size());
    button->setGeometry(at);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    return button;
}

QSpinBox* yellowSpin(QWidget* parent, const char* name, int low, int high, int value, QRect at) {
    auto* spin = steppingSpin(parent, name, low, high, at.x(), at.y(), at.width());
    spin->setValue(value);
    spin->setStyleSheet(QStringLiteral("QSpinBox { background: yellow; }"));
    return spin;
}

} // namespace

ApplicatorPage::ApplicatorPage(Applicator& applicator, QWidget* parent) : QWidget(parent), applicator_(applicator) {
    Engine& engine = applicator.editor().engine();
    scenes_ = new SceneStepper(engine, "SpeedButton9", "SpeedButton10", "Label1", this);
    scenes_->move(6, 4);
    connect(scenes_, &SceneStepper::sceneChanged, this, [this] {
        applicator_.sceneReloaded();
        emit canvasChanged();
    });

    const auto action = [this](QToolButton* button, bool (Applicator::*act)()) { connectAction(button, act); };
    action(speedButton(this, "SpeedButton12", QStringLiteral("Создать новую сцену (100)"), 6, 50, 210, 21),
           &Applicator::createScene);
    action(speedButton(this, "SpeedButton11", QStringLiteral("Стереть данную сцену"), 6, 73, 210, 21),
           &Applicator::eraseScene);
    action(speedButton(this, "SpeedButton20", QStringLiteral("Загрузить из файла (1009x700)"), 6, 96, 210, 21),
           &Applicator::loadScene);
    action(speedButton(this, "SpeedButton21", QStringLiteral("Сохранить в файл"), 6, 119, 210, 21),
           &Applicator::saveSceneAs);

    auto* stamps = new QGroupBox(QStringLiteral("Картинка"), this);
    stamps->setGeometry(224, 0, 112, 78);
    action(speedButton(stamps, "SpeedButton13", QStringLiteral("Добавить"), 8, 20, 96, 24), &Applicator::addStamp);
    action(speedButton(stamps, "SpeedButton14", QStringLiteral("Заменить"), 8, 48, 96, 24), &Applicator::replaceStamp);

    // The five view presets as a cross: the scene pushed down and right, down and left, up and right,
    // up and left, or in place.
    struct Preset {
        const char* name;
        bool top, bottom, left, right;
        QPoint offset;
        QPoint cell;
        const char* tip;
    };
    const Preset presets[] = {
        {"SpeedButton16", true, false, true, false, QPoint(150, 150), QPoint(0, 0), "Сцена смещена вправо и вниз"},
        {"SpeedButton17", true, false, false, true, QPoint(-150, 150), QPoint(2, 0), "Сцена смещена влево и вниз"},
        {"SpeedButton18", false, true, true, false, QPoint(150, -150), QPoint(0, 2), "Сцена смещена вправо и вверх"},
        {"SpeedButton19", false, true, false, true, QPoint(-150, -150), QPoint(2, 2), "Сцена смещена влево и вверх"},
        {"SpeedButton15", false, false, false, false, QPoint(0, 0), QPoint(1, 1), "Сцена на месте"},
    };
    for (const Preset& p : presets) {
        auto* button = pictureButton(this, p.name, presetIcon(p.top, p.bottom, p.left, p.right), QString::fromUtf8(p.tip),
                                     QRect(240 + 24 * p.cell.x(), 82 + 18 * p.cell.y(), 22, 18));
        connect(button, &QToolButton::clicked, this, [this, offset = p.offset] {
            applicator_.setViewOffset(fromQt(offset));
            emit canvasChanged();
        });
    }

    auto* brush = new QGroupBox(QStringLiteral("в зоне курсора (Продвинутым искусствоведам)"), this);
    brush->setGeometry(344, 0, 300, 108);
    brush_ = new QCheckBox(QStringLiteral("Вкл."), brush);
    brush_->setObjectName(QStringLiteral("CheckBox4"));
    brush_->move(10, 24);
    connect(brush_, &QCheckBox::toggled, this, [this](bool on) {
        applicator_.setBrushOn(on);
        emit canvasChanged();
    });
    label(brush, nullptr, QStringLiteral("Радиус"), 80, 22);
    auto* radius = yellowSpin(brush, "SpinEdit13", 2, 20, applicator.brushRadius(), QRect(80, 40, 60, 24));
    connect(radius, &QSpinBox::valueChanged, this, [this](int r) { applicator_.setBrushRadius(r); });
    label(brush, nullptr, QStringLiteral("Интенсив"), 150, 22);
    auto* intensity = yellowSpin(brush, "SpinEdit14", 1, 5, applicator.brushIntensity(), QRect(150, 40, 60, 24));
    connect(intensity, &QSpinBox::valueChanged, this, [this](int i) { applicator_.setBrushIntensity(i); });
    auto* darken = pictureButton(brush, "SpeedButton116", sunIcon(false), QStringLiteral("Кисть затемняет"),
                                 QRect(224, 24, 30, 28));
    auto* lighten = pictureButton(brush, "SpeedButton117", sunIcon(true), QStringLiteral("Кисть осветляет"),
                                  QRect(258, 24, 30, 28));
    for (QToolButton* button : {darken, lighten}) {
        button->setCheckable(true);
        button->setAutoExclusive(true);
    }
    darken->setChecked(!applicator.brushLightens());
    lighten->setChecked(applicator.brushLightens());
    connect(darken, &QToolButton::clicked, this, [this] { applicator_.setBrushLightens(false); });
    connect(lighten, &QToolButton::clicked, this, [this] { applicator_.setBrushLightens(true); });
    action(speedButton(brush, "SpeedButton115", QStringLiteral("Промежуточное сохранение"), 10, 72, 200, 26),
           &Applicator::saveScene);

    helpText(this, "Label40", QString::fromUtf8(kApplicatorHelp), QRect(652, 0, 340, 140));
}

void ApplicatorPage::connectAction(QToolButton* button, bool (Applicator::*act)()) {
    Applicator* applicator = &applicator_;
    SceneStepper* scenes = scenes_;
    connect(button, &QToolButton::clicked, this, [this, applicator, scenes, act] {
        if ((applicator->*act)()) scenes->refresh();
        emit canvasChanged();
    });
}

} // namespace tw
