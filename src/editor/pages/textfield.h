#pragma once

#include <QLineEdit>

class QRect;

namespace tw {

// A text box for a text of the game record: it holds at most `capacity` characters, the record's room
// for the text, and refuses the characters the record's code page (Windows-1251) cannot hold as they are
// typed or pasted, telling the author which ones, instead of letting them turn into "?" when stored.
class TextField final : public QLineEdit {
    Q_OBJECT
public:
    TextField(QWidget* parent, const char* name, int capacity, const QRect& geometry);

    // The message shown for the characters last refused; empty while none was.
    QString refusal() const { return refusal_; }

signals:
    // Characters were left out of what the author typed or pasted.
    void refused(const QString& characters);
    // The box gained (true) or lost (false) the keyboard focus.
    void focusChanged(bool focused);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // After each change: warns of the characters left out, or takes a warning away when none were.
    void checked(const QString& characters, const QString& kept);

    QString refusal_;
    QString keptAtRefusal_;
};

} // namespace tw
