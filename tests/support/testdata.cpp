#include "support/testdata.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace tw::test {

QString testDataPath(const QString& relative) { return QStringLiteral(TW_TESTDATA_DIR "/") + relative; }

QByteArray readFileOrFail(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "test file missing or unreadable: " << path.toStdString() << " ("
                      << file.errorString().toStdString() << ")";
        return {};
    }
    return file.readAll();
}

QByteArray readTestData(const QString& relative) { return readFileOrFail(testDataPath(relative)); }

QFileInfoList testDataFiles(const QString& folder) {
    const QFileInfoList files = QDir(testDataPath(folder)).entryInfoList(QDir::Files, QDir::Name);
    if (files.isEmpty()) ADD_FAILURE() << "test folder missing or empty: " << testDataPath(folder).toStdString();
    return files;
}

} // namespace tw::test
