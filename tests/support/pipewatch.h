#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace tw::test {

// Watches a named pipe for a reader: it keeps trying to open the pipe for writing without waiting, which
// succeeds only while someone has it open for reading. A reader found is let go at once (the writer
// closes, the reader sees the end), so a read that waits on the pipe is noticed instead of hanging.
class PipeWatch {
public:
    explicit PipeWatch(const QString& path) : path_(QFile::encodeName(path)) {
        thread_ = std::thread([this] {
            while (!stop_) {
                const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    readerWaited_ = true;
                    ::close(fd);
                }
                std::this_thread::yield();
            }
        });
    }
    ~PipeWatch() {
        stop_ = true;
        thread_.join();
    }
    bool readerWaited() const { return readerWaited_; }

private:
    QByteArray path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> readerWaited_{false};
    std::thread thread_;
};

} // namespace tw::test
