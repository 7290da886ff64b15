#pragma once

#include "project/bytes.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace tw {

class FileSystem;

// Keeps the recovery copy of the record on disk while the editor runs. The caller hands in a snapshot
// of the record (a copy it made on its own thread); the file is written atomically on a worker thread,
// so a write of 1.7 MB never holds up a frame. At most one write is in flight at any time; a snapshot
// equal to the last one handed to a successful write (or to the baseline) is not written again.
class RecoveryWriter {
public:
    // Runs one job. The default runs it on the writer's own worker thread.
    using Executor = std::function<void(std::function<void()> job)>;

    RecoveryWriter(FileSystem& files, std::string path);
    // Waits for a write in flight.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Runs writes through executor instead of the worker thread (tests run them at once).
    void setExecutor(Executor executor);
    // The state the files already hold (the record as started): a snapshot equal to it is not written.
    void setBaseline(const Bytes& snapshot);

    // Starts writing snapshot to the file unless it equals the last one written, a write is still in
    // flight (the next call catches up) or the writer is closed. Returns true when a write was started.
    // After a failed write the next snapshot is written even when unchanged.
    bool offer(const Bytes& snapshot);

    // Waits for a write in flight, deletes the file when removeFile is set, and accepts no more writes.
    void close(bool removeFile);

    // Blocks until no write is in flight.
    void waitIdle();

private:
    FileSystem& files_;
    const std::string path_;
    Executor executor_;
    std::thread worker_;
    std::mutex mutex_;
    std::condition_variable idle_;
    // Guarded by mutex_.
    std::shared_ptr<const Bytes> last_; // the last snapshot offered, shared with the write of it
    bool busy_ = false;
    bool lastFailed_ = false;
    bool closed_ = false;
};

} // namespace tw
