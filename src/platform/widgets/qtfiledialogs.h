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
    std::string openFile(const std::string& title, const std::string& filter, const std::string& folder) override;
    std::string saveFile(const std::string& filter) override;
    std::string chooseFolder() override;
    bool reading(const std::string& path, std::int64_t done, std::int64_t total) override;

private:
    QWidget* parent_;
    QPointer<QProgressDialog> progress_; // while a chosen file is read
};

} // namespace tw
