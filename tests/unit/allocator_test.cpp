// The allocator setting, seen in what the C library does with a large block.
#include "app/allocator.h"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
// In a child process, so this process's allocator stays as it was: a 16 MiB
// block comes from the heap, not from a mapping of its own, and freeing it
// leaves the heap as large as it was.
TEST(Allocator, KeepsLargeBlocksInTheHeapOnceFreed) {
    EXPECT_EXIT(
        {
            keepFreedMemory();
            const struct mallinfo2 before = mallinfo2();
            void* volatile block = std::malloc(16u << 20);
            const struct mallinfo2 held = mallinfo2();
            std::free(block);
            const struct mallinfo2 after = mallinfo2();
            const bool fromHeap = held.hblks == before.hblks;
            const bool kept = after.arena == held.arena;
            std::exit(fromHeap && kept ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
