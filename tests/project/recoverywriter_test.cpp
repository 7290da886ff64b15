#include "project/recoverywriter.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <random>

namespace tw::test {
namespace {

const QString kPath = QStringLiteral("/game/mzh/data/typ.dll.recover");

// Holds the writer's jobs until the test lets them run, as a slow worker would. Jobs still held at the
// end run then, so a test that stops early does not leave the writer waiting for them.
struct HeldJobs {
    std::deque<std::function<void()>> jobs;
    ~HeldJobs() { runAll(); }
    RecoveryWriter::Executor executor() {
        return [this](std::function<void()> job) { jobs.push_back(std::move(job)); };
    }
    void runAll() {
        while (!jobs.empty()) {
            auto job = std::move(jobs.front());
            jobs.pop_front();
            job();
        }
    }
};

// Random snapshots offered at random moments, with writes finishing at random moments and failing now
// and then: at most one write is ever in flight, a snapshot that is already on disk (or the baseline) is
// never written again unless the last write failed, and the file holds the last snapshot written.
TEST(RecoveryWriter, WritesOnlyChangesOneAtATimeAndRetriesAfterAFailure) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 40; ++round) {
        FakeFileSystem files;
        RecoveryWriter writer(files, kPath.toStdString());
        HeldJobs held; // after the writer: its jobs run before the writer goes
        writer.setExecutor(held.executor());
        const QByteArray baseline(64, 'a');
        writer.setBaseline(baseline.toStdString());

        QByteArray onDisk; // what the file holds, empty before the first write
        QByteArray lastStarted = baseline;
        bool lastFailed = false;
        int writesDone = 0;
        for (int step = 0; step < 60; ++step) {
            const int what = int(random() % 4);
            if (what == 0) {
                // The worker finishes; the file system may refuse the write.
                const bool fail = random() % 4 == 0;
                if (fail) files.failWritesTo = {kPath};
                const bool pending = !held.jobs.empty();
                held.runAll();
                files.failWritesTo.clear();
                if (pending) {
                    lastFailed = fail;
                    if (!fail) {
                        onDisk = lastStarted;
                        ++writesDone;
                    }
                }
                continue;
            }
            // A snapshot: often the same as before, sometimes one byte different.
            QByteArray snapshot = lastStarted;
            if (what == 1) snapshot[int(random() % 64)] = char('a' + random() % 3);
            const bool inFlight = !held.jobs.empty();
            const bool started = writer.offer(snapshot.toStdString());
            const bool expected = !inFlight && (lastFailed || snapshot != lastStarted);
            ASSERT_EQ(started, expected) << "round " << round << " step " << step;
            ASSERT_LE(held.jobs.size(), 1u);
            if (started) {
                lastStarted = snapshot;
                lastFailed = false;
            }
        }
        if (!held.jobs.empty()) {
            held.runAll();
            onDisk = lastStarted;
            ++writesDone;
        }
        EXPECT_EQ(files.files.value(kPath), onDisk);
        EXPECT_EQ(files.written.size(), writesDone);
    }
}

TEST(RecoveryWriter, CloseWaitsForTheWriteInFlightAndDeletesOnlyWhenAsked) {
    for (const bool removeFile : {true, false}) {
        FakeFileSystem files;
        RecoveryWriter writer(files, kPath.toStdString());
        // A real worker thread: close must wait for it before it deletes the file.
        ASSERT_TRUE(writer.offer(Bytes(1765108, 'x')));
        writer.close(removeFile);
        EXPECT_EQ(files.written, QStringList{kPath});
        EXPECT_EQ(files.files.contains(kPath), !removeFile);
        // A closed writer writes nothing more.
        EXPECT_FALSE(writer.offer(Bytes(10, 'y')));
        EXPECT_EQ(files.written.size(), 1);
    }
}

} // namespace
} // namespace tw::test
