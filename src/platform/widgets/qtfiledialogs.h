#pragma once

#include "platform/filedialogs.h"

class QWidget;

namespace tw {

// The Qt widget toolkit's file and folder choosers, parented to the main window.
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    QString openFile(const QString& filter) override;
    QString saveFile(const QString& filter) override;
    QString chooseFolder() override;

private:
    QWidget* parent_;
};

} // namespace tw
