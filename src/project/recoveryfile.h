#pragma once

#include "project/projectrecord.h"

#include <memory>
#include <string>

namespace tw {

class FileSystem;

// What start-up finds in the recovery copy of the record (see RecoveryWriter).
struct RecoveryCheck {
    enum class Status {
        None,    // there is no recovery file
        Discard, // it is short, long, unreadable or equal to the project record: delete it, ask nothing
        Offer,   // it holds one whole record that differs from the project record
    };
    Status status = Status::None;
    std::unique_ptr<ProjectRecord> record; // set only when status is Offer
};

// Looks at the recovery file at path and compares it with the record just read from the project file.
// Reads only; deleting or using the file is the caller's decision.
RecoveryCheck inspectRecoveryFile(FileSystem& files, const std::string& path, const ProjectRecord& loaded);

} // namespace tw
