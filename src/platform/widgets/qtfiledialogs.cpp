#include "platform/widgets/qtfiledialogs.h"

#include "toolkit/toolkittypes.h"

#include <QFileDialog>
#include <QProgressDialog>

namespace tw {

QtFileDialogs::~QtFileDialogs() { delete progress_; }

std::string QtFileDialogs::openFile(const std::string& title, const std::string& filter, const std::string& folder) {
    return fromQt(QFileDialog::getOpenFileName(parent_, toQt(title), toQt(folder), toQt(filter)));
}

std::string QtFileDialogs::saveFile(const std::string& filter) {
    return fromQt(QFileDialog::getSaveFileName(parent_, QString(), QString(), toQt(filter)));
}

std::string QtFileDialogs::chooseFolder() { return fromQt(QFileDialog::getExistingDirectory(parent_)); }

bool QtFileDialogs::reading(const std::string& path, std::int64_t done, std::int64_t total) {
    if (done >= total) {
        delete progress_;
        return true;
    }
    if (!progress_) {
        // Shown only once the read has taken half a second; a modal progress dialog lets the window
        // repaint and answer while the file is read piece by piece.
        progress_ = new QProgressDialog(QStringLiteral("Чтение файла %1").arg(QFileInfo(toQt(path)).fileName()),
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
