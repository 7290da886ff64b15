#include "project/recoveryfile.h"

#include "platform/filesystem.h"

#include <cstring>

namespace tw {

RecoveryCheck inspectRecoveryFile(FileSystem& files, const std::string& path, const ProjectRecord& loaded) {
    RecoveryCheck check;
    const FileSystem::ReadResult read = files.read(path);
    if (read.status == FileSystem::ReadStatus::OpenFailed) return check;
    // The writer always writes exactly one record, atomically; any other size is not its work, and a
    // file that cannot be read cannot be offered.
    if (!read.ok() || static_cast<std::size_t>(read.bytes.size()) != kProjectRecordSize ||
        std::memcmp(read.bytes.data(), loaded.bytes(), kProjectRecordSize) == 0) {
        check.status = RecoveryCheck::Status::Discard;
        return check;
    }
    check.record = ProjectRecord::fromBytes(read.bytes.data());
    check.status = RecoveryCheck::Status::Offer;
    return check;
}

} // namespace tw
