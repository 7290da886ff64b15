#pragma once

#include "platform/filesystem.h"

#include <string>
#include <vector>

namespace tw::check {

// The game's files as the check's engine sees them: read through to the real files, with the record
// served from memory in place of the record file and no recovery file, and every write refused. A check
// therefore never changes anything on disk, whatever the engine tries.
class ReadOnlyFiles final : public FileSystem {
public:
    ReadOnlyFiles(FileSystem& files, std::string recordPath, Bytes record, std::string recoveryPath)
        : files_(files), recordPath_(std::move(recordPath)), record_(std::move(record)),
          recoveryPath_(std::move(recoveryPath)) {}

    ReadResult read(const std::string& path) override;
    ReadResult readChosen(const std::string& path, std::int64_t limit, const ReadProgress& progress) override;
    std::string writeAtomically(const std::string& path, const Bytes& bytes) override;
    std::string copy(const std::string& from, const std::string& to) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override { return files_.isDirectory(path); }
    std::string makeDirectory(const std::string& path) override;
    bool remove(const std::string& path) override;
    std::string makeExecutable(const std::string& path) override;
    bool isLink(const std::string& path) override { return files_.isLink(path); }
    std::vector<std::string> entries(const std::string& folder) override { return files_.entries(folder); }
    bool sameFile(const std::string& a, const std::string& b) override { return files_.sameFile(a, b); }

private:
    FileSystem& files_;
    std::string recordPath_;
    Bytes record_;
    std::string recoveryPath_;
};

} // namespace tw::check
