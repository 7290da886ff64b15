#include "editor/pages/textfield.h"

#include "project/win1251.h"
#include "toolkit/toolkittypes.h"

#include <QToolTip>
#include <QValidator>

#include <functional>

namespace tw {
namespace {

// Leaves out what the code page cannot hold. Returning Acceptable with the input changed makes the box
// take the cleaned text, so a paste keeps all its other characters.
class Win1251Validator final : public QValidator {
public:
    // `onChecked` hears of every check: the characters left out (or none) and the text kept.
    Win1251Validator(QObject* parent, std::function<void(const QString&, const QString&)> onChecked)
        : QValidator(parent), onChecked_(std::move(onChecked)) {}

    State validate(QString& input, int& pos) const override {
        std::string dropped;
        const std::string kept = keepWin1251(fromQt(input), &dropped);
        if (!dropped.empty()) {
            // The cursor stays after the characters kept before it.
            pos = int(toQt(keepWin1251(fromQt(input.left(pos)))).size());
            input = toQt(kept);
        }
        onChecked_(toQt(dropped), input);
        return Acceptable;
    }

private:
    std::function<void(const QString&, const QString&)> onChecked_;
};

} // namespace

TextField::TextField(QWidget* parent, const char* name, int capacity, const QRect& geometry) : QLineEdit(parent) {
    setObjectName(QLatin1String(name));
    setGeometry(geometry);
    setMaxLength(capacity);
    setValidator(new Win1251Validator(
        this, [this](const QString& dropped, const QString& kept) { checked(dropped, kept); }));
}

void TextField::checked(const QString& characters, const QString& kept) {
    if (characters.isEmpty()) {
        // A clean change takes the warning away; the box checking the text it was left with does not.
        if (refusal_.isEmpty() || kept == keptAtRefusal_) return;
        refusal_.clear();
        setStyleSheet(QString());
        return;
    }
    QString shown;
    for (const QChar ch : characters) {
        if (!shown.isEmpty()) shown += QLatin1Char(' ');
        shown += ch;
    }
    keptAtRefusal_ = kept;
    refusal_ = QStringLiteral("%1 в игре не сохранится: нет в кодировке Windows-1251.").arg(shown);
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid red; }"));
    QToolTip::showText(mapToGlobal(QPoint(0, height())), refusal_, this);
    emit refused(characters);
}

void TextField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit focusChanged(true);
}

void TextField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusChanged(false);
}

} // namespace tw
