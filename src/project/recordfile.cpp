#include "project/recordfile.h"

#include "platform/filesystem.h"

#include <cstring>

namespace tw {

RecordLoad loadRecordFile(FileSystem& files, const QString& path) {
    RecordLoad load;
    FileSystem::ReadResult read = files.read(path);
    if (read.status == FileSystem::ReadStatus::OpenFailed) {
        load.status = RecordLoad::Status::OpenFailed;
        return load;
    }
    if (read.status != FileSystem::ReadStatus::Ok) {
        load.status = RecordLoad::Status::Damaged;
        load.message = QStringLiteral("Ошибка чтения файла проекта %1: %2").arg(path, read.error);
        return load;
    }
    if (static_cast<std::size_t>(read.bytes.size()) < kProjectRecordSize) {
        load.status = RecordLoad::Status::Damaged;
        load.message = QStringLiteral("Файл проекта %1 повреждён: в нём %2 байт, а запись проекта занимает %3 байт.")
                           .arg(path)
                           .arg(read.bytes.size())
                           .arg(kProjectRecordSize);
        return load;
    }
    // A longer file holds one record followed by bytes that are not part of the project; the record is
    // read from its start, as a record-sized read would.
    load.record = ProjectRecord::createBlank();
    std::memcpy(load.record->bytes(), read.bytes.constData(), kProjectRecordSize);
    load.status = RecordLoad::Status::Ok;
    return load;
}

QString saveRecordFile(FileSystem& files, const QString& path, const ProjectRecord& record) {
    const QByteArray bytes(reinterpret_cast<const char*>(record.bytes()), qsizetype(kProjectRecordSize));
    const QString reason = files.writeAtomically(path, bytes);
    if (reason.isEmpty()) return {};
    return QStringLiteral("Не удалось записать файл проекта %1: %2").arg(path, reason);
}

} // namespace tw
