#include "platform/widgets/qtmessages.h"

#include "toolkit/toolkittypes.h"

#include <QApplication>
#include <QMessageBox>

namespace tw {

void QtMessages::showError(const std::string& text) {
    QMessageBox::critical(parent_, QApplication::applicationName(), toQt(text));
}

void QtMessages::showInfo(const std::string& text) {
    QMessageBox::information(parent_, QApplication::applicationName(), toQt(text));
}

bool QtMessages::ask(const std::string& text, Answer defaultAnswer) {
    const QMessageBox::StandardButton defaultButton =
        defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No;
    return QMessageBox::warning(parent_, QApplication::applicationName(), toQt(text),
                                QMessageBox::Yes | QMessageBox::No, defaultButton) == QMessageBox::Yes;
}

void QtMessages::beep() { QApplication::beep(); }

} // namespace tw
