#include "platform/widgets/qtmessages.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tw {

void QtMessages::showError(const QString& text) {
    QMessageBox::critical(parent_, QApplication::applicationName(), text);
}

bool QtMessages::askYesNo(const QString& text) {
    return QMessageBox::warning(parent_, QApplication::applicationName(), text,
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void QtMessages::beep() { QApplication::beep(); }

QString QtFileDialogs::openFile(const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, QString(), QString(), filter);
}

QString QtFileDialogs::saveFile(const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, QString(), QString(), filter);
}

QString QtFileDialogs::chooseFolder() { return QFileDialog::getExistingDirectory(parent_); }

} // namespace tw
