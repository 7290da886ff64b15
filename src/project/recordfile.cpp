#include "project/recordfile.h"

#include "platform/filesystem.h"

#include <cstring>

namespace tw {

RecordLoad loadRecordFile(FileSystem& files, const std::string& path) {
    RecordLoad load;
    FileSystem::ReadResult read = files.read(path);
    if (read.status == FileSystem::ReadStatus::OpenFailed) {
        load.status = RecordLoad::Status::OpenFailed;
        return load;
    }
    if (read.status != FileSystem::ReadStatus::Ok) {
        load.status = RecordLoad::Status::Damaged;
        load.message = "Ошибка чтения файла проекта " + path + ": " + read.error;
        return load;
    }
    if (static_cast<std::size_t>(read.bytes.size()) < kProjectRecordSize) {
        load.status = RecordLoad::Status::Damaged;
        load.message = "Файл проекта " + path + " повреждён: в нём " + std::to_string(read.bytes.size()) +
                       " байт, а запись проекта занимает " + std::to_string(kProjectRecordSize) + " байт.";
        return load;
    }
    // A longer file holds one record followed by bytes that are not part of the project; the record is
    // read from its start, as a record-sized read would.
    load.record = ProjectRecord::fromBytes(read.bytes.data());
    load.status = RecordLoad::Status::Ok;
    return load;
}

std::string saveRecordFile(FileSystem& files, const std::string& path, const ProjectRecord& record) {
    const Bytes bytes(reinterpret_cast<const char*>(record.bytes()), kProjectRecordSize);
    const std::string reason = files.writeAtomically(path, bytes);
    if (reason.empty()) return {};
    return "Не удалось записать файл проекта " + path + ": " + reason;
}

} // namespace tw
