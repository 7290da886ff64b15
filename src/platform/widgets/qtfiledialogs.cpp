#include "platform/widgets/qtfiledialogs.h"

#include <QFileDialog>
#include <QProgressDialog>

namespace tw {

QtFileDialogs::~QtFileDialogs() { delete progress_; }

QString QtFileDialogs::openFile(const QString& title, const QString& filter, const QString& folder) {
    return QFileDialog::getOpenFileName(parent_, title, folder, filter);
}

QString QtFileDialogs::saveFile(const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, QString(), QString(), filter);
}

QString QtFileDialogs::chooseFolder() { return QFileDialog::getExistingDirectory(parent_); }

bool QtFileDialogs::reading(const QString& path, qint64 done, qint64 total) {
    if (done >= total) {
        delete progress_;
        return true;
    }
    if (!progress_) {
        // Shown only once the read has taken half a second; a modal progress dialog lets the window
        // repaint and answer while the file is read piece by piece.
        progress_ = new QProgressDialog(QStringLiteral("Чтение файла %1").arg(QFileInfo(path).fileName()),
                                        QStringLiteral("Отмена"), 0, 1000, parent_);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(500);
        progress_->setAutoReset(false);
        progress_->setAutoClose(false);
    }
    progress_->setValue(total > 0 ? int(done * 1000 / total) : 0);
    if (!progress_->wasCanceled()) return true;
    delete progress_;
    return false;
}

} // namespace tw
