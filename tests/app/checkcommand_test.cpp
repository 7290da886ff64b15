// `tarnwick --check` as a build script runs it: no display, no platform named, a project folder given or
// the program's own; the exit code says what was found, the report comes on standard output, the reason
// for a project that cannot be read on standard error, and nothing is written anywhere.
#include "make-demo/demostory.h"
#include "make-demo/demotree.h"
#include "make-demo/itempictures.h"
#include "project/projectrecord.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <map>

namespace tw::test {
namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

// Every file and folder under `root` with its size and time of change: what a run must leave as it was.
std::map<QString, QString> snapshot(const QString& root) {
    std::map<QString, QString> seen;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        seen[info.filePath()] = QStringLiteral("%1 %2")
                                    .arg(info.isDir() ? -1 : info.size())
                                    .arg(info.lastModified().toMSecsSinceEpoch());
    }
    return seen;
}

class CheckCommand : public ::testing::Test {
protected:
    QTemporaryDir project, home, workdir, temp, runtime;

    void SetUp() override {
        ASSERT_TRUE(project.isValid() && home.isValid() && workdir.isValid() && temp.isValid() && runtime.isValid());
        QString error;
        ASSERT_EQ(demo::writeDemoTree({project.path(), QStringLiteral(TW_PLAYER)}, &error), demo::DemoResult::Written)
            << error.toStdString();
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString recordPath() const { return project.filePath(QStringLiteral("mzh/data/typ.dll")); }

    // Runs the program with no display and no platform, its home, temporary and (unless `runtimeFolder` is
    // false) runtime folders empty folders of the test's own, from a working folder of its own; everything
    // it could write to is compared before and after. Without a runtime folder the toolkit would make one
    // in the temporary folder if it started.
    Outcome run(const QString& program, const QStringList& arguments, bool runtimeFolder = true) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        if (runtimeFolder) environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        const QStringList watched = {project.path(), home.path(), workdir.path(), temp.path(), runtime.path()};
        std::vector<std::map<QString, QString>> before;
        for (const QString& folder : watched) before.push_back(snapshot(folder));

        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workdir.path());
        process.start(program, arguments);
        Outcome result;
        if (!process.waitForStarted(30000) || !process.waitForFinished(120000)) {
            ADD_FAILURE() << "did not run: " << process.errorString().toStdString();
            process.kill();
            process.waitForFinished();
            return result;
        }
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << arguments.join(' ').toStdString();
        result.exitCode = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(snapshot(watched[int(i)]), before[i]) << "written in " << watched[int(i)].toStdString();
        return result;
    }
    Outcome check(const QStringList& arguments, bool runtimeFolder = true) {
        return run(QStringLiteral(TW_EDITOR), arguments, runtimeFolder);
    }

    void changeRecord(const std::function<void(ProjectRecord&)>& change) {
        QFile file(recordPath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        ASSERT_EQ(std::size_t(bytes.size()), kProjectRecordSize);
        change(*reinterpret_cast<ProjectRecord*>(bytes.data()));
        file.seek(0);
        file.write(bytes);
    }
};

QJsonObject parsed(const Outcome& run) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    return document.object();
}

TEST_F(CheckCommand, TheDemoPassesAndAKeyGivenAwayIsADeadEndWithItsSteps) {
    // The demo as bundled: nothing found, in text and in JSON; from the program's own folder too.
    Outcome clean = check({QStringLiteral("--check"), project.path()});
    EXPECT_EQ(clean.exitCode, 0) << clean.err.toStdString();
    EXPECT_TRUE(clean.out.startsWith(QStringLiteral("Проверка ничего не нашла"))) << clean.out.toStdString();
    EXPECT_TRUE(clean.out.contains(QStringLiteral("Прохождение сыграно в самой игре")));

    Outcome json = check({QStringLiteral("--check"), project.path(), QStringLiteral("--json")});
    EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
    QJsonObject report = parsed(json);
    EXPECT_EQ(report["complete"], QJsonValue(true));
    EXPECT_EQ(report["replayed"], QJsonValue(true));
    EXPECT_TRUE(report["deadEnds"].toArray().isEmpty());
    EXPECT_EQ(report["doors"].toObject()["openable"].toArray().size(), 2);
    EXPECT_GT(report["walkthrough"].toArray().size(), 0);

    const QString copy = project.filePath(QStringLiteral("tarnwick"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TW_EDITOR), copy));
    Outcome own = run(copy, {QStringLiteral("--json"), QStringLiteral("--check")});
    EXPECT_EQ(own.exitCode, 0) << own.err.toStdString();
    EXPECT_EQ(parsed(own), report);

    // The merchant now takes the gate's key instead of the coin: giving it to him shuts the gate for good.
    changeRecord([](ProjectRecord& r) { r.scene(2).dialog(demo::kMerchantDialog).giveItem = demo::kItemKey; });
    Outcome broken = check({QStringLiteral("--check"), project.path()});
    EXPECT_EQ(broken.exitCode, 1) << broken.err.toStdString();
    EXPECT_TRUE(broken.out.contains(QStringLiteral("Тупик 1: уже не открыть Сцена 2, дверь 1"))) << broken.out.toStdString();
    EXPECT_TRUE(broken.out.contains(QStringLiteral("Сцена 2: поговорить с персонажем 2 (отдать предмет 1)")));

    report = parsed(check({QStringLiteral("--check"), QStringLiteral("--json"), project.path()}));
    const QJsonArray deadEnds = report["deadEnds"].toArray();
    ASSERT_FALSE(deadEnds.isEmpty());
    const QJsonObject dead = deadEnds[0].toObject();
    EXPECT_TRUE(dead["lost"].toObject()["doors"].toArray().contains(QJsonObject{{"scene", 2}, {"door", 1}}));
    const QJsonArray steps = dead["steps"].toArray();
    ASSERT_FALSE(steps.isEmpty());
    EXPECT_EQ(steps.last().toObject(), (QJsonObject{{"action", "talk"}, {"scene", 2}, {"dialog", demo::kMerchantDialog},
                                                    {"item", demo::kItemKey}}));

    // A record of the right size full of noise is read and checked like any other.
    QFile noise(recordPath());
    ASSERT_TRUE(noise.open(QIODevice::WriteOnly));
    QByteArray bytes(qsizetype(kProjectRecordSize), '\0');
    quint32 state = 20261209;
    for (char& b : bytes) b = char((state = state * 1664525u + 1013904223u) >> 24);
    noise.write(bytes);
    noise.close();
    Outcome noisy = check({QStringLiteral("--check"), project.path(), QStringLiteral("--json")});
    EXPECT_EQ(noisy.exitCode, 1) << noisy.err.toStdString();
    EXPECT_FALSE(parsed(noisy).isEmpty());
}

// Nothing of the toolkit starts for a project that cannot be read: not even its runtime folder is made.
TEST_F(CheckCommand, AProjectThatCannotBeReadExitsTwoNamingItsFile) {
    const QString record = recordPath();
    // Damaged: a folder where the record should be.
    ASSERT_TRUE(QFile::rename(record, record + QStringLiteral(".kept")));
    ASSERT_TRUE(QDir().mkdir(record));
    Outcome damaged = check({QStringLiteral("--check"), project.path()}, false);
    EXPECT_EQ(damaged.exitCode, 2);
    EXPECT_TRUE(damaged.err.contains(record)) << damaged.err.toStdString();
    EXPECT_TRUE(damaged.out.isEmpty());
    ASSERT_TRUE(QDir().rmdir(record));

    // Missing.
    Outcome missing = check({QStringLiteral("--check"), project.path(), QStringLiteral("--json")}, false);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(record)) << missing.err.toStdString();
    EXPECT_TRUE(missing.out.isEmpty());

    // Short by one byte.
    QFile kept(record + QStringLiteral(".kept"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    QFile shortened(record);
    ASSERT_TRUE(shortened.open(QIODevice::WriteOnly));
    shortened.write(kept.readAll().chopped(1));
    shortened.close();
    Outcome cut = check({QStringLiteral("--check"), project.path()}, false);
    EXPECT_EQ(cut.exitCode, 2);
    EXPECT_TRUE(cut.err.contains(record)) << cut.err.toStdString();

    // A folder with no project at all, and arguments that make no sense.
    Outcome nowhere = check({QStringLiteral("--check"), workdir.filePath(QStringLiteral("nothing-here"))}, false);
    EXPECT_EQ(nowhere.exitCode, 2);
    EXPECT_TRUE(nowhere.err.contains(QStringLiteral("nothing-here/mzh/data/typ.dll"))) << nowhere.err.toStdString();
    EXPECT_EQ(check({QStringLiteral("--check"), project.path(), project.path()}, false).exitCode, 2);
    EXPECT_EQ(check({QStringLiteral("--check"), QStringLiteral("--jsn")}, false).exitCode, 2);
}

} // namespace
} // namespace tw::test
