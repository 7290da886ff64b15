#pragma once

#include "platform/cursors.h"

#include <QCursor>
#include <QList>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace tw {

// The pointer over one widget (the canvas): eight slots of animated cursors, the hidden pointer and the
// toolkit's arrow. An animated slot is played by a timer at the file's own step times; showing the slot
// that is already shown leaves its animation running where it is, so the tick may ask every time.
class WidgetCursors final : public CursorDisplay {
public:
    explicit WidgetCursors(QWidget* widget = nullptr);

    // Sets the widget the pointer is shown over and gives it the current shape.
    void setWidget(QWidget* widget);

    // Replaces slot 1..8 (other numbers are ignored); an empty or unusable cursor empties the slot. If
    // that slot is on show, the new cursor shows at once, from its first step.
    void install(int slot, std::optional<AniCursor> cursor) override;
    // Slot 1..8 with a cursor: that cursor, animated; an empty slot, kCursorDefault or any other number:
    // the arrow; kCursorHidden: no pointer.
    void show(int shape) override;

    // Goes to the next step of the animation on show and schedules the one after; the timer calls this,
    // tests call it directly. Does nothing when nothing animates.
    void advance();

    int shownShape() const { return shown_; }
    int currentStep() const { return step_; }
    // The frame of the slot's cursor the current step shows; -1 when no slot cursor is shown.
    int currentFrame() const;
    // How long the current step stays, in milliseconds; 0 when nothing animates.
    int currentStepMs() const;
    bool isAnimating() const { return timer_.isActive(); }

    // Step times are in jiffies of 1/60 s; a step of 0 jiffies lasts one.
    static int jiffiesToMs(int jiffies);

private:
    struct Slot {
        QList<QCursor> frames;
        QList<int> sequence; // frame index per step
        QList<int> stepMs;   // same length as sequence
    };

    const Slot* shownSlot() const;
    // Puts the shape for shown_ and step_ on the widget and schedules the next step.
    void apply();

    QPointer<QWidget> widget_;
    Slot cursorSlots_[kCursorSlots + 1];
    int shown_ = kCursorDefault;
    int step_ = 0;
    QTimer timer_;
};

} // namespace tw
