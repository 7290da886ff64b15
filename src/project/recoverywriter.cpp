#include "project/recoverywriter.h"

#include "platform/filesystem.h"

#include <utility>

namespace tw {

RecoveryWriter::RecoveryWriter(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

RecoveryWriter::~RecoveryWriter() {
    waitIdle();
    if (worker_.joinable()) worker_.join();
}

void RecoveryWriter::setExecutor(Executor executor) {
    waitIdle();
    executor_ = std::move(executor);
}

void RecoveryWriter::setBaseline(const Bytes& snapshot) {
    std::lock_guard lock(mutex_);
    last_ = std::make_shared<const Bytes>(snapshot);
    lastFailed_ = false;
}

bool RecoveryWriter::offer(const Bytes& snapshot) {
    std::shared_ptr<const Bytes> bytes;
    {
        std::lock_guard lock(mutex_);
        if (closed_ || busy_) return false;
        // Sizes first, then the bytes with one memcmp: cheap next to the write it saves.
        if (!lastFailed_ && last_ && snapshot == *last_) return false;
        busy_ = true;
        lastFailed_ = false;
        last_ = bytes = std::make_shared<const Bytes>(snapshot); // one copy, shared with the write below
    }
    // The previous write has finished (busy_ was clear); its thread is at most returning.
    if (worker_.joinable()) worker_.join();
    auto job = [this, bytes = std::move(bytes)] {
        const bool failed = !files_.writeAtomically(path_, *bytes).empty();
        std::lock_guard lock(mutex_);
        // A failed write leaves the old file whole (or none); the next offer tries again.
        lastFailed_ = failed;
        busy_ = false;
        idle_.notify_all();
    };
    if (executor_) {
        executor_(std::move(job));
    } else {
        worker_ = std::thread(std::move(job));
    }
    return true;
}

void RecoveryWriter::close(bool removeFile) {
    {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return !busy_; });
        closed_ = true;
    }
    if (worker_.joinable()) worker_.join();
    if (removeFile) files_.remove(path_);
}

void RecoveryWriter::waitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_; });
}

} // namespace tw
