// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/SqliteBlockCache.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <thread>
#include <vector>

// SQLite may free a block on a thread other than the one that took it. The
// freeing thread keeps it, and must give it back to malloc when it ends.
TEST(SqliteBlockCache, BlocksFreedOnAnotherThreadGoBackToMallocWhenItEnds)
{
    const sqlite3_mem_methods& m = SqliteBlockCacheMethods();
    std::thread([] {}).join();  // the first thread's own bookkeeping, out of the count
    const std::size_t before = mallinfo2().uordblks;
    std::vector<void*> blocks;
    std::size_t bytes = 0;
    for (int i = 0; bytes < 400 * 1024; ++i) {
        const int n = 16 + i % 1000;
        blocks.push_back(m.xMalloc(n));
        ASSERT_NE(blocks.back(), nullptr);
        bytes += static_cast<std::size_t>(n);
    }
    std::thread([&] {
        for (void* block : blocks)
            m.xFree(block);
    }).join();
    const std::size_t after = mallinfo2().uordblks;
    // Allowing for the thread's own traces, far below what was freed.
    EXPECT_LT(after, before + 32 * 1024) << "kept after the thread ended: " << (after - before) << " bytes";
}
