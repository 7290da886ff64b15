#include "platform/widgets/qtfiledialogs.h"

#include <QFileDialog>

namespace tw {

QString QtFileDialogs::openFile(const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, QString(), QString(), filter);
}

QString QtFileDialogs::saveFile(const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, QString(), QString(), filter);
}

QString QtFileDialogs::chooseFolder() { return QFileDialog::getExistingDirectory(parent_); }

} // namespace tw
