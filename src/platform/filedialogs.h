#pragma once

#include <QFileInfo>
#include <QHash>
#include <QString>

namespace tw {

// Standard file and folder choosers. The core asks through this seam and never opens a dialog itself.
// An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // title: what the chooser wants ("Предмет 50x50"); filter in the toolkit's form, e.g.
    // "Bitmaps (*.bmp)"; folder: where the chooser opens.
    virtual QString openFile(const QString& title, const QString& filter, const QString& folder) = 0;
    virtual QString saveFile(const QString& filter) = 0;
    virtual QString chooseFolder() = 0;
    // A chosen file is being read: `done` of `total` bytes so far. Shows progress when the read takes
    // longer than a moment and keeps the window answering; false when the user stopped the read.
    virtual bool reading(const QString& path, qint64 done, qint64 total) {
        Q_UNUSED(path);
        Q_UNUSED(done);
        Q_UNUSED(total);
        return true;
    }

    // Asks for a file of one kind ("picture", "cursor", ...): the chooser opens in the folder a file of
    // that kind was last chosen from, or in `firstFolder` the first time, and the folder of the file
    // chosen is remembered for the next choice of the kind.
    QString chooseFile(const QString& kind, const QString& title, const QString& filter, const QString& firstFolder) {
        const QString chosen = openFile(title, filter, lastFolders_.value(kind, firstFolder));
        if (!chosen.isEmpty()) lastFolders_.insert(kind, QFileInfo(chosen).absolutePath());
        return chosen;
    }

private:
    QHash<QString, QString> lastFolders_; // kind -> folder of the file last chosen
};

// No chooser at all: for play without a window, which asks for no file; were it to, the choice is
// cancelled.
class NoFileDialogs final : public FileDialogs {
public:
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&) override { return {}; }
    QString chooseFolder() override { return {}; }
};

} // namespace tw
