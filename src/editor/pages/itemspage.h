#pragma once

#include <QWidget>

class QLabel;

namespace tw {

class Editor;

// "Предметы": the item panel, the item stepper with its number Label13 and preview Image3, and the
// replacement of the item's two pictures.
class ItemsPage final : public QWidget {
    Q_OBJECT
public:
    ItemsPage(Editor& editor, QWidget* parent);

    // Shows currentItem: its number and its two pictures.
    void showItem();
    QLabel* itemLabel() const { return itemLabel_; }

signals:
    // currentItem changed: every view of it (the plot editor's too) follows.
    void itemChanged();

private:
    Editor& editor_;
    QLabel* itemLabel_ = nullptr; // Label13
    QLabel* preview_ = nullptr;   // Image3
};

} // namespace tw
