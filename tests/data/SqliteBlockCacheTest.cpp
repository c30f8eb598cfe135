// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/SqliteBlockCache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

unsigned char Fill(std::size_t index)
{
    return static_cast<unsigned char>(index * 37 + 11);
}

bool Holds(const unsigned char* block, int n, unsigned char fill)
{
    for (int i = 0; i < n; ++i) {
        if (block[i] != fill)
            return false;
    }
    return true;
}

}  // namespace

// Many blocks alive at once, around the border of the cached sizes, resized
// across it both ways, twice over so that the second round runs on blocks
// the first gave back: none may overlap another or lose its contents.
TEST(SqliteBlockCache, BlocksStayApartAndKeepTheirContentsThroughResizing)
{
    const sqlite3_mem_methods& m = SqliteBlockCacheMethods();
    const int sizes[] = {1, 7, 8, 9, 16, 17, 100, 1000, 1023, 1024, 1025, 4000, 70000};
    for (int round = 0; round < 2; ++round) {
        std::vector<std::pair<unsigned char*, int>> blocks;
        for (int k = 0; k < 40; ++k) {
            for (int n : sizes) {
                auto* block = static_cast<unsigned char*>(m.xMalloc(n));
                ASSERT_NE(block, nullptr);
                EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 8, 0u);
                EXPECT_GE(m.xRoundup(n), n);
                EXPECT_EQ(m.xSize(block), m.xRoundup(n));
                std::memset(block, Fill(blocks.size()), static_cast<std::size_t>(n));
                blocks.emplace_back(block, n);
            }
        }
        for (std::size_t i = 0; i < blocks.size(); ++i)
            ASSERT_TRUE(Holds(blocks[i].first, blocks[i].second, Fill(i))) << "block " << i;

        for (std::size_t i = 0; i < blocks.size(); ++i) {
            auto& [block, n] = blocks[i];
            const int to = (i % 2) ? n * 3 + 5 : n / 2 + 1;
            auto* resized = static_cast<unsigned char*>(m.xRealloc(block, m.xRoundup(to)));
            ASSERT_NE(resized, nullptr);
            EXPECT_TRUE(Holds(resized, std::min(n, to), Fill(i))) << "block " << i;
            EXPECT_EQ(m.xSize(resized), m.xRoundup(to));
            std::memset(resized, Fill(i), static_cast<std::size_t>(to));
            block = resized;
            n = to;
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            ASSERT_TRUE(Holds(blocks[i].first, blocks[i].second, Fill(i))) << "block " << i;
            m.xFree(blocks[i].first);
        }
    }
    m.xFree(nullptr);
}
