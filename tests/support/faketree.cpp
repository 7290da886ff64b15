#include "support/faketree.h"

#include "platform/picturecodec.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <QFile>
#include <QPainter>

#include <cstring>

namespace tw::test {

QImage solidPicture(int width, int height, QColor colour) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

void putRecord(FakeFileSystem& files, const ProjectRecord& record, const std::string& path) {
    files.files.insert(path, QByteArray(reinterpret_cast<const char*>(record.bytes()), qsizetype(kProjectRecordSize)));
}

std::unique_ptr<ProjectRecord> storedRecord(FakeFileSystem& files, const std::string& path) {
    const QByteArray bytes = files.files.value(path);
    if (std::size_t(bytes.size()) != kProjectRecordSize) return nullptr;
    auto record = ProjectRecord::createBlank();
    std::memcpy(record->bytes(), bytes.constData(), kProjectRecordSize);
    return record;
}

QColor largeItemColour(int n) { return QColor(10 + n, 200 - n, 40); }

void putMinimalTree(FakeFileSystem& files, const ProjectRecord& record, bool withCursors) {
    putRecord(files, record);
    auto put = [&files](const std::string& path, const QImage& picture) { files.files.insert(path, toQtBytes(encodeBmp(fromQt(picture)))); };
    const AssetPaths& p = kFakeRoot;
    put(p.data("menu"), solidPicture(kPlayWidth, kPlayHeight, QColor(0, 0, 160)));
    put(p.data("help"), solidPicture(kPlayWidth, kPlayHeight, QColor(0, 160, 0)));
    put(p.data("anim"), solidPicture(400, 300, QColor(255, 0, 255)));
    put(p.data("pon"), solidPicture(kPlayWidth, 60, QColor(90, 60, 30)));
    put(p.data("ten"), solidPicture(380, 80, QColor(20, 20, 20)));
    QImage large(5000, 50, QImage::Format_RGB32);
    for (int n = 1; n <= 100; ++n) {
        QPainter(&large).fillRect((n - 1) * 50, 0, 50, 50, largeItemColour(n));
        large.setPixel((n - 1) * 50, 49, qRgb(255, 0, 255)); // each cell's transparent colour
    }
    put(p.data("nabpredmax"), large);
    put(p.data("nabpredmin"), solidPicture(2000, 20, QColor(1, 2, 3)));
    put(p.data("dver"), solidPicture(3000, 90, QColor(4, 5, 6)));
    for (int s = 1; s <= 12; ++s) put(p.scene(s), solidPicture(kPlayWidth, kPlayHeight, QColor(s * 20, 100, 100)));
    if (withCursors) {
        const QByteArray bytes = readTestData(QStringLiteral("ani/webamp_piano.ani"));
        for (int slot = 1; slot <= 8; ++slot) files.files.insert(p.cursor(slot), bytes);
    }
}

} // namespace tw::test
