#pragma once

#include "platform/filesystem.h"

#include <QByteArray>
#include <QString>

namespace tw::check {

// The game's files as the check's engine sees them: read through to the real files, with the record
// served from memory in place of the record file and no recovery file, and every write refused. A check
// therefore never changes anything on disk, whatever the engine tries.
class ReadOnlyFiles final : public FileSystem {
public:
    ReadOnlyFiles(FileSystem& files, QString recordPath, QByteArray record, QString recoveryPath)
        : files_(files), recordPath_(std::move(recordPath)), record_(std::move(record)),
          recoveryPath_(std::move(recoveryPath)) {}

    ReadResult read(const QString& path) override;
    ReadResult readChosen(const QString& path, qint64 limit, const ReadProgress& progress) override;
    QString writeAtomically(const QString& path, const QByteArray& bytes) override;
    QString copy(const QString& from, const QString& to) override;
    bool exists(const QString& path) override;
    bool isDirectory(const QString& path) override { return files_.isDirectory(path); }
    QString makeDirectory(const QString& path) override;
    bool remove(const QString& path) override;
    QString makeExecutable(const QString& path) override;
    bool isLink(const QString& path) override { return files_.isLink(path); }
    QStringList entries(const QString& folder) override { return files_.entries(folder); }
    bool sameFile(const QString& a, const QString& b) override { return files_.sameFile(a, b); }

private:
    FileSystem& files_;
    QString recordPath_;
    QByteArray record_;
    QString recoveryPath_;
};

} // namespace tw::check
