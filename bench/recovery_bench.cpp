#include "demoproject.h"

#include "platform/audio.h"
#include "platform/filesystem.h"
#include "platform/random.h"
#include "runtime/engine.h"

#include "support/fakes.h"

#include <benchmark/benchmark.h>


#include <functional>

namespace {

using namespace tw;

// The disk for reading; writes vanish, so only the caller's side of a recovery write is measured.
class ReadOnlyDisk final : public FileSystem {
public:
    ReadResult read(const std::string& path) override { return disk_.read(path); }
    std::string writeAtomically(const std::string&, const Bytes&) override { return {}; }
    std::string copy(const std::string&, const std::string&) override { return {}; }
    bool exists(const std::string& path) override { return disk_.exists(path); }
    bool isDirectory(const std::string& path) override { return disk_.isDirectory(path); }
    std::string makeDirectory(const std::string&) override { return {}; }
    bool remove(const std::string&) override { return true; }
    std::string makeExecutable(const std::string&) override { return {}; }
    bool isLink(const std::string& path) override { return disk_.isLink(path); }
    std::vector<std::string> entries(const std::string& folder) override { return disk_.entries(folder); }
    bool sameFile(const std::string& a, const std::string& b) override { return disk_.sameFile(a, b); }

private:
    DiskFileSystem disk_;
};

// What the recovery timer costs the GUI thread on the demo project: the snapshot of the record (as a close
// would store it) and its comparison with the last one written; with a change (range 1), also the hand-off
// of the write, run here at once against a file system that drops it. The write itself runs on the worker
// (see BM_RecordSave for its cost).
void BM_RecoveryTimerOnTheGuiThread(benchmark::State& state) {
    const bool change = state.range(0) != 0;
    if (bench::demoProjectRoot().isEmpty()) {
        state.SkipWithError("the demo project could not be written");
        return;
    }
    ReadOnlyDisk files;
    test::FakeMessages messages;
    SilentAudio audio;
    test::FakeCursors cursors;
    test::FakeFileDialogs dialogs;
    SeededRandom random(1);
    Engine engine(AssetPaths(bench::demoProjectRoot().toStdString()), Services{files, messages, audio, cursors, random, dialogs});
    engine.recovery().setExecutor([](std::function<void()> job) { job(); });
    if (!engine.startUp()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    const std::string name = engine.gameName();
    for (auto _ : state) {
        if (change) ++engine.record().heroX;
        engine.writeRecovery(name);
    }
}
BENCHMARK(BM_RecoveryTimerOnTheGuiThread)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
