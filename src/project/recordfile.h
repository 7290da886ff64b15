#pragma once

#include "project/projectrecord.h"

#include <memory>
#include <string>

namespace tw {

class FileSystem;

struct RecordLoad {
    enum class Status { Ok, OpenFailed, Damaged };
    Status status = Status::OpenFailed;
    std::unique_ptr<ProjectRecord> record; // set only when status is Ok
    std::string message;                       // for the user, naming the file, when status is Damaged
};

// Reads one record from a project file into a fresh record; the caller replaces its live record only
// after a full read. A file that cannot be opened gives OpenFailed (the caller shows " ERROR "); a file
// shorter than one record or a read error gives Damaged with a message.
RecordLoad loadRecordFile(FileSystem& files, const std::string& path);

// Writes the record as exactly one record of 1,765,108 bytes, safely (see FileSystem::writeAtomically).
// Returns an empty string on success, otherwise a message for the user naming the file.
std::string saveRecordFile(FileSystem& files, const std::string& path, const ProjectRecord& record);

} // namespace tw
