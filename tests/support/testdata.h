#pragma once

#include <QByteArray>
#include <QFileInfoList>
#include <QString>

namespace tw::test {

// The corpus of real files made elsewhere (tests/data, with SOURCES.md and SHA256SUMS).
// The path of a corpus file or folder, relative to the corpus root ("ani/webamp_piano.ani").
QString testDataPath(const QString& relative);
// The bytes of a corpus file. A file that is missing or cannot be read fails the calling test with the
// file's name and gives empty bytes, which no decoder accepts.
QByteArray readTestData(const QString& relative);
// The same for a file given by its full path (an entry of testDataFiles).
QByteArray readFileOrFail(const QString& path);
// The files of a corpus folder, by name. An empty or missing folder fails the calling test, so that a
// test looping over the folder can never pass by looking at nothing.
QFileInfoList testDataFiles(const QString& folder);

} // namespace tw::test
