#include "platform/widgets/widgetcursors.h"
#include "toolkit/toolkittypes.h"

#include <QPixmap>
#include <QWidget>

namespace tw {

WidgetCursors::WidgetCursors(QWidget* widget) : widget_(widget) {
    // Steps are whole jiffies (about 17 ms); a coarse timer would stretch short steps visibly.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { advance(); });
}

void WidgetCursors::setWidget(QWidget* widget) {
    widget_ = widget;
    apply();
}

int WidgetCursors::jiffiesToMs(int jiffies) {
    return qRound(qMax(1, jiffies) * 1000.0 / 60.0);
}

void WidgetCursors::install(int slot, std::optional<AniCursor> cursor) {
    if (slot < 1 || slot > kCursorSlots) return;
    Slot filled;
    if (cursor) {
        for (const AniCursor::Frame& frame : cursor->frames)
            filled.frames.append(
                QCursor(QPixmap::fromImage(toQtWithAlpha(frame.image)), frame.hotspot.x, frame.hotspot.y));
        // The decoder gives consistent lists; steps naming a missing frame are dropped all the same, so a
        // cursor put together elsewhere cannot index out of range later.
        for (std::size_t i = 0; i < cursor->sequence.size(); ++i) {
            const int frame = cursor->sequence[i];
            if (frame < 0 || frame >= filled.frames.size()) continue;
            filled.sequence.append(frame);
            filled.stepMs.append(jiffiesToMs(i < cursor->stepJiffies.size() ? cursor->stepJiffies[i] : 0));
        }
    }
    if (filled.sequence.isEmpty()) filled = Slot();
    cursorSlots_[slot] = std::move(filled);
    if (slot == shown_) {
        step_ = 0;
        apply();
    }
}

void WidgetCursors::show(int shape) {
    // The tick asks for the same shape again and again; only a change restarts the animation.
    if (shape == shown_) return;
    shown_ = shape;
    step_ = 0;
    apply();
}

void WidgetCursors::advance() {
    const Slot* slot = shownSlot();
    if (!slot || slot->sequence.size() < 2) return;
    step_ = int((step_ + 1) % slot->sequence.size());
    apply();
}

int WidgetCursors::currentFrame() const {
    const Slot* slot = shownSlot();
    return slot ? slot->sequence[step_] : -1;
}

int WidgetCursors::currentStepMs() const {
    const Slot* slot = shownSlot();
    return slot && slot->sequence.size() > 1 ? slot->stepMs[step_] : 0;
}

const WidgetCursors::Slot* WidgetCursors::shownSlot() const {
    if (shown_ < 1 || shown_ > kCursorSlots || cursorSlots_[shown_].sequence.isEmpty()) return nullptr;
    return &cursorSlots_[shown_];
}

void WidgetCursors::apply() {
    timer_.stop();
    const Slot* slot = shownSlot();
    if (widget_) {
        if (shown_ == kCursorHidden)
            widget_->setCursor(Qt::BlankCursor);
        else if (!slot)
            widget_->setCursor(Qt::ArrowCursor);
        else
            widget_->setCursor(slot->frames[slot->sequence[step_]]);
    }
    // A single step is a still cursor.
    if (slot && slot->sequence.size() > 1) timer_.start(slot->stepMs[step_]);
}

} // namespace tw
