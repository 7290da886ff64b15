#pragma once

#include <QString>

namespace tw {

// Paths of the asset tree that lies beside the executable. Names are used exactly as written; most
// pictures have no extension.
class AssetPaths {
public:
    // root: the folder of the executable.
    explicit AssetPaths(QString root);

    const QString& root() const { return root_; }
    QString file(const QString& relative) const; // root + relative ("mzh/data/menu")

    QString recordFile() const { return file(QStringLiteral("mzh/data/typ.dll")); }
    // The copy of the record that a running editor keeps up to date, so a crash loses little work.
    QString recoveryFile() const { return file(QStringLiteral("mzh/data/typ.dll.recover")); }
    QString savePointFile() const { return file(QStringLiteral("mzh/data/baztyp.dll")); }
    QString data(const QString& name) const { return file(QStringLiteral("mzh/data/") + name); }
    QString sound(const QString& name) const { return file(QStringLiteral("mzh/sound/") + name); }
    QString scene(int n) const { return file(QStringLiteral("mzh/scena/") + QString::number(n)); }
    QString comic(int n) const { return file(QStringLiteral("mzh/Kom/") + QString::number(n)); }
    QString stamp(int n) const { return file(QStringLiteral("graf/") + QString::number(n) + QStringLiteral(".bmp")); }
    // The .ani file of cursor slot 1..8.
    QString cursor(int slot) const;

private:
    QString root_; // with a trailing separator
};

// File names of the cursor slots 1..8, in slot order.
inline constexpr const char* kCursorFileNames[8] = {"men.ani",   "clik.ani",  "hod.ani", "pred.ani",
                                                    "dial.ani",  "smotr.ani", "net.ani", "temp.ani"};

} // namespace tw
