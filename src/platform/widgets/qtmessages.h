#pragma once

#include "platform/messages.h"

class QWidget;

namespace tw {

// Message boxes and the beep of the Qt widget toolkit, parented to the main window.
class QtMessages final : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void showError(const std::string& text) override;
    void showInfo(const std::string& text) override;
    void beep() override;

protected:
    bool ask(const std::string& text, Answer defaultAnswer) override;

private:
    QWidget* parent_;
};

} // namespace tw
