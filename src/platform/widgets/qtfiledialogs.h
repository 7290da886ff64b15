#pragma once

#include "platform/filedialogs.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

namespace tw {

// The Qt widget toolkit's file and folder choosers, parented to the main window.
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtFileDialogs() override;
    void setParent(QWidget* parent) { parent_ = parent; }
    QString openFile(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFile(const QString& filter) override;
    QString chooseFolder() override;
    bool reading(const QString& path, qint64 done, qint64 total) override;

private:
    QWidget* parent_;
    QPointer<QProgressDialog> progress_; // while a chosen file is read
};

} // namespace tw
