#include "platform/widgets/qtmessages.h"

#include <QApplication>
#include <QMessageBox>

namespace tw {

void QtMessages::showError(const QString& text) {
    QMessageBox::critical(parent_, QApplication::applicationName(), text);
}

void QtMessages::showInfo(const QString& text) {
    QMessageBox::information(parent_, QApplication::applicationName(), text);
}

bool QtMessages::ask(const QString& text, Answer defaultAnswer) {
    const QMessageBox::StandardButton defaultButton =
        defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No;
    return QMessageBox::warning(parent_, QApplication::applicationName(), text,
                                QMessageBox::Yes | QMessageBox::No, defaultButton) == QMessageBox::Yes;
}

void QtMessages::beep() { QApplication::beep(); }

} // namespace tw
