#include "platform/memorypolicy.h"

#include <cstdlib> // defines __GLIBC__ under the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tw {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest the library takes
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

} // namespace tw
