#include "make-demo/demotree.h"

#include "make-demo/cursorpictures.h"
#include "make-demo/demolayout.h"
#include "make-demo/demorecord.h"
#include "make-demo/itempictures.h"
#include "make-demo/proppictures.h"
#include "make-demo/scenepainter.h"
#include "make-demo/soundfiles.h"
#include "make-demo/spritesheet.h"
#include "make-demo/uipictures.h"
#include "platform/picturecodec.h"
#include "toolkit/toolkittypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tw::demo {

namespace {

// Writes the files of one tree below `root`, stopping at the first failure, whose reason it keeps.
class TreeWriter {
public:
    explicit TreeWriter(QString root) : root_(std::move(root)) {}

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    QString path(const QString& relative) const { return QDir(root_).filePath(relative); }

    void bytes(const QString& relative, const QByteArray& data) {
        if (!ok()) return;
        const QString target = path(relative);
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
            fail(QStringLiteral("cannot create the folder of %1").arg(target));
            return;
        }
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()) {
            fail(QStringLiteral("cannot write %1: %2").arg(target, file.errorString()));
            return;
        }
        file.close();
    }

    void picture(const QString& relative, const QImage& image) {
        if (!ok()) return;
        const QByteArray encoded = toQtBytes(encodeBmp(fromQt(image)));
        if (encoded.isEmpty()) {
            fail(QStringLiteral("cannot encode the picture %1").arg(relative));
            return;
        }
        bytes(relative, encoded);
    }

    void copy(const QString& from, const QString& relative) {
        if (!ok()) return;
        const QString target = path(relative);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(from, target)) fail(QStringLiteral("cannot copy %1 to %2").arg(from, target));
    }

    void fail(const QString& reason) {
        if (ok()) error_ = reason;
    }

private:
    QString root_;
    QString error_;
};

void writePictures(TreeWriter& w, const MenuPicture& menu) {
    w.picture(QStringLiteral("mzh/data/menu"), menu.picture);
    w.picture(QStringLiteral("mzh/data/help"), paintHelp());
    w.picture(QStringLiteral("mzh/data/pon"), paintItemPanel());
    w.picture(QStringLiteral("mzh/data/ten"), paintTextShadow());
    w.picture(QStringLiteral("mzh/data/nabpredmax"), paintLargeItemStrip());
    w.picture(QStringLiteral("mzh/data/nabpredmin"), paintSmallItemStrip());
    w.picture(QStringLiteral("mzh/data/dver"), paintDoorStrip());
    for (int n = 1; n <= kDemoComicCount; ++n) w.picture(QStringLiteral("mzh/Kom/%1").arg(n), paintComic(n));
    for (int s = 1; s <= kDemoSceneCount; ++s)
        w.picture(QStringLiteral("mzh/scena/%1").arg(s), paintSceneBackground(s));
    for (int n = 1; n <= kDemoStampCount; ++n) w.picture(QStringLiteral("graf/%1.bmp").arg(n), paintStamp(n));
}

void writeRecordAndSheet(TreeWriter& w, const std::array<QRect, 4>& menuZones) {
    const SpriteSheet sheet = buildSpriteSheet();
    w.picture(QStringLiteral("mzh/data/anim"), sheet.picture);
    const auto record = buildDemoRecord(menuZones, sheet.animations);
    const QByteArray bytes(reinterpret_cast<const char*>(record->bytes()), sizeof(ProjectRecord));
    w.bytes(QStringLiteral("mzh/data/typ.dll"), bytes);
    w.bytes(QStringLiteral("mzh/data/baztyp.dll"), bytes);
}

void writeCursorsAndSounds(TreeWriter& w, const QString& scratch) {
    for (const DemoCursor& c : demoCursors()) w.bytes(QStringLiteral("mzh/data/") + c.fileName, encodeAniCursor(c.cursor));
    w.bytes(QStringLiteral("mzh/sound/clik.wav"), encodeWav(synthClick(), kSoundRate));
    w.bytes(QStringLiteral("mzh/sound/hod.wav"), encodeWav(synthWhoosh(), kSoundRate));
    w.bytes(QStringLiteral("mzh/sound/even.wav"), encodeWav(synthChime(), kSoundRate));
    if (!w.ok()) return;
    QString error;
    const QByteArray mp3 = encodeMp3WithLame(encodeWav(synthMelody(), kSoundRate), scratch, &error);
    if (mp3.isEmpty())
        w.fail(error);
    else
        w.bytes(QStringLiteral("mzh/sound/fon.mp3"), mp3);
}

bool fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

// Moves the finished mzh/ and graf/ from the scratch folder into the target; if the second move fails the
// first is undone, so the target never holds half a tree.
bool moveIntoPlace(const QDir& scratch, const QDir& target, QString* error) {
    const QString mzh = target.filePath(QStringLiteral("mzh")), graf = target.filePath(QStringLiteral("graf"));
    if (!QDir().rename(scratch.filePath(QStringLiteral("mzh")), mzh))
        return fail(error, QStringLiteral("cannot move the new mzh folder into %1").arg(target.path()));
    if (!QDir().rename(scratch.filePath(QStringLiteral("graf")), graf)) {
        QDir().rename(mzh, scratch.filePath(QStringLiteral("mzh")));
        return fail(error, QStringLiteral("cannot move the new graf folder into %1").arg(target.path()));
    }
    return true;
}

} // namespace

DemoResult writeDemoTree(const DemoOptions& options, QString* error) {
    const QDir target(options.targetFolder);
    if (target.exists(QStringLiteral("mzh")) || target.exists(QStringLiteral("graf"))) return DemoResult::KeptExisting;
    if (!QFileInfo(options.programPath).isFile()) {
        fail(error, QStringLiteral("the program to copy as mzh/data/Comp was not found: %1").arg(options.programPath));
        return DemoResult::Failed;
    }
    if (!QDir().mkpath(target.absolutePath())) {
        fail(error, QStringLiteral("cannot create the folder %1").arg(target.absolutePath()));
        return DemoResult::Failed;
    }
    // Everything is built in a scratch folder inside the target (so the final move is a rename on the same
    // disk); the scratch folder removes itself, whatever happens.
    QTemporaryDir scratch(target.absoluteFilePath(QStringLiteral(".make-demo-XXXXXX")));
    if (!scratch.isValid()) {
        fail(error, QStringLiteral("cannot create a scratch folder in %1: %2").arg(target.absolutePath(), scratch.errorString()));
        return DemoResult::Failed;
    }
    TreeWriter w(scratch.path());
    QDir().mkpath(w.path(QStringLiteral("mzh/Kom")));
    w.copy(options.programPath, QStringLiteral("mzh/data/Comp"));
    const MenuPicture menu = paintMenu(kDemoGameName);
    writeRecordAndSheet(w, menu.zones);
    writePictures(w, menu);
    writeCursorsAndSounds(w, scratch.path());
    if (!w.ok()) {
        fail(error, w.error());
        return DemoResult::Failed;
    }
    // Someone may have made a tree meanwhile: theirs wins.
    if (target.exists(QStringLiteral("mzh")) || target.exists(QStringLiteral("graf"))) return DemoResult::KeptExisting;
    if (!moveIntoPlace(QDir(scratch.path()), target, error)) return DemoResult::Failed;
    return DemoResult::Written;
}

} // namespace tw::demo
