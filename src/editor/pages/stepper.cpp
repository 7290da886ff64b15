#include "editor/pages/stepper.h"

#include "editor/pages/widgets.h"

#include <QToolButton>

#include <algorithm>

namespace tw {

int steppedWithin(int value, int delta, int low, int high) { return std::clamp(value + delta, low, std::max(low, high)); }

Stepper::Stepper(QWidget* parent, const char* downName, const char* upName, QPoint at, int buttonWidth,
                 int buttonHeight, int gap)
    : QWidget(parent) {
    setGeometry(at.x(), at.y(), 2 * buttonWidth + gap, buttonHeight);
    down_ = speedButton(this, downName, QStringLiteral("---"), 0, 0, buttonWidth, buttonHeight);
    up_ = speedButton(this, upName, QStringLiteral("+"), buttonWidth + gap, 0, buttonWidth, buttonHeight);
    connect(down_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
    connect(up_, &QToolButton::clicked, this, [this] { emit stepped(+1); });
}

void Stepper::bind(int& value, int low, std::function<int()> high) {
    connect(this, &Stepper::stepped, this, [this, &value, low, high = std::move(high)](int delta) {
        value = steppedWithin(value, delta, low, high());
        emit changed();
    });
}

void Stepper::bind(int& value, int low, int high) {
    bind(value, low, [high] { return high; });
}

} // namespace tw
