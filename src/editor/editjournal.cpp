#include "editor/editjournal.h"

#include <cstring>

namespace tw {
namespace {

// Two changed runs closer than this are kept as one patch: a patch costs more in bookkeeping than a few
// unchanged bytes carried along.
constexpr std::size_t kJoinGap = 16;

std::size_t sizeOf(const std::optional<Bytes>& bytes) { return bytes ? std::size_t(bytes->size()) : 0; }

// The first offset at or after `from` where the two buffers differ, or `size`. A record edit usually
// changes a few bytes of 1.7 MB, so the scan is most of the cost: whole blocks are compared with memcmp
// (vectorised by the C library) and only a block that differs is searched byte by byte.
std::size_t firstDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t from, std::size_t size) {
    constexpr std::size_t kBlock = 256;
    std::size_t i = from;
    while (i + kBlock <= size && std::memcmp(a + i, b + i, kBlock) == 0) i += kBlock;
    while (i < size && a[i] == b[i]) ++i;
    return i;
}

} // namespace

std::size_t EditStep::bytes() const {
    std::size_t total = sizeof(EditStep);
    for (const RecordPatch& patch : patches) total += sizeof(RecordPatch) + std::size_t(patch.before.size() + patch.after.size());
    for (const FileChange& file : files) total += sizeof(FileChange) + sizeOf(file.before) + sizeOf(file.after);
    return total;
}

void collectPatches(const std::uint8_t* before, const std::uint8_t* now, std::size_t size,
                    std::vector<RecordPatch>& into) {
    std::size_t i = firstDifference(before, now, 0, size);
    while (i < size) {
        const std::size_t start = i;
        std::size_t end = i + 1; // one past the last differing byte of the run
        for (;;) {
            while (end < size && before[end] != now[end]) ++end;
            const std::size_t next = firstDifference(before, now, end, size);
            if (next >= size || next - end >= kJoinGap) {
                i = next;
                break;
            }
            end = next + 1;
        }
        RecordPatch patch;
        patch.offset = start;
        patch.before = QByteArray(reinterpret_cast<const char*>(before + start), qsizetype(end - start));
        patch.after = QByteArray(reinterpret_cast<const char*>(now + start), qsizetype(end - start));
        into.push_back(std::move(patch));
    }
}

EditJournal::EditJournal(int stepLimit, std::size_t byteLimit) : stepLimit_(stepLimit), byteLimit_(byteLimit) {}

void EditJournal::push(EditStep step) {
    if (step.isEmpty()) return;
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes();
        steps_.pop_back();
    }
    const std::size_t size = step.bytes();
    if (size > byteLimit_) {
        clear();
        return;
    }
    bytes_ += size;
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    trim();
}

void EditJournal::trim() {
    while (!steps_.empty() && (int(steps_.size()) > stepLimit_ || bytes_ > byteLimit_)) {
        bytes_ -= steps_.front().bytes();
        steps_.pop_front();
        if (done_ > 0) --done_;
    }
}

void EditJournal::clear() {
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
}

} // namespace tw
