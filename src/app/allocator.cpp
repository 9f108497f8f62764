#include "app/allocator.h"

// Any C library header says which C library this is (__GLIBC__).
#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

void keepFreedMemory() {
#ifdef __GLIBC__
    // A software GL driver allocates and frees megabytes every frame; keeping
    // those pages (no trimming below 256 MiB of free heap, blocks under 32 MiB
    // from the heap rather than fresh mappings) saves faulting them in again.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}
