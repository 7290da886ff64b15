#pragma once

namespace tw {

// The programs read and decode pictures of megabytes again and again (every scene change, every replaced
// file, every undo of one). By default the C library hands such blocks back to the system when they are
// freed and takes them again, zeroed page by page, at the next use; on a virtual machine each of those
// page faults is costly. Called once at the start of a program, this keeps freed memory for reuse
// instead: blocks up to 32 MiB come from the heap, and the heap gives back only what exceeds 128 MiB
// unused at its end. Does nothing where the C library has no such setting.
void keepFreedMemoryForReuse();

} // namespace tw
