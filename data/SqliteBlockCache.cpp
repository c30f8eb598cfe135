// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/SqliteBlockCache.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t HEADER = 8;  // keeps SQLite's blocks 8-byte aligned
constexpr std::size_t GRAIN = 16;
constexpr std::size_t LARGEST_CACHED = 1024;
constexpr std::size_t CLASS_COUNT = LARGEST_CACHED / GRAIN;
constexpr std::size_t MAX_CACHED_BYTES = 1 << 20;

struct FreeBlock {
    FreeBlock* next;
};

// Trivially destructible, so it stays usable while the thread ends; the
// blocks it holds are given back by ThreadExit below.
struct ThreadCache {
    FreeBlock* lists[CLASS_COUNT];
    std::size_t cachedBytes;
    bool exitArmed;
    bool exiting;
};
thread_local ThreadCache t_cache;

struct ThreadExit {
    ~ThreadExit()
    {
        t_cache.exiting = true;
        for (FreeBlock*& list : t_cache.lists) {
            while (list) {
                FreeBlock* next = list->next;
                std::free(reinterpret_cast<unsigned char*>(list) - HEADER);
                list = next;
            }
        }
        t_cache.cachedBytes = 0;
    }
};

std::size_t RoundUp(std::size_t n)
{
    if (n == 0)
        n = 1;
    return n <= LARGEST_CACHED ? (n + GRAIN - 1) / GRAIN * GRAIN : (n + 7) / 8 * 8;
}

std::size_t& SizeField(void* block)
{
    return *reinterpret_cast<std::size_t*>(static_cast<unsigned char*>(block) - HEADER);
}

void* Allocate(int n)
{
    if (n < 0)
        return nullptr;
    const std::size_t size = RoundUp(static_cast<std::size_t>(n));
    if (size <= LARGEST_CACHED) {
        FreeBlock*& list = t_cache.lists[size / GRAIN - 1];
        if (FreeBlock* block = list) {
            list = block->next;
            t_cache.cachedBytes -= size;
            return block;
        }
    }
    auto* raw = static_cast<unsigned char*>(std::malloc(size + HEADER));
    if (!raw)
        return nullptr;
    *reinterpret_cast<std::size_t*>(raw) = size;
    return raw + HEADER;
}

void Release(void* block)
{
    if (!block)
        return;
    const std::size_t size = SizeField(block);
    if (size <= LARGEST_CACHED && !t_cache.exiting && t_cache.cachedBytes + size <= MAX_CACHED_BYTES) {
        if (!t_cache.exitArmed) {
            t_cache.exitArmed = true;
            thread_local ThreadExit onExit;
            (void)onExit;
        }
        FreeBlock*& list = t_cache.lists[size / GRAIN - 1];
        auto* freed = static_cast<FreeBlock*>(block);
        freed->next = list;
        list = freed;
        t_cache.cachedBytes += size;
        return;
    }
    std::free(static_cast<unsigned char*>(block) - HEADER);
}

int Size(void* block)
{
    return block ? static_cast<int>(SizeField(block)) : 0;
}

void* Resize(void* block, int n)
{
    if (!block)
        return Allocate(n);
    if (n < 0)
        return nullptr;
    const std::size_t have = SizeField(block);
    const std::size_t want = RoundUp(static_cast<std::size_t>(n));
    if (want == have)
        return block;
    if (have > LARGEST_CACHED && want > LARGEST_CACHED) {
        auto* raw = static_cast<unsigned char*>(std::realloc(static_cast<unsigned char*>(block) - HEADER, want + HEADER));
        if (!raw)
            return nullptr;
        *reinterpret_cast<std::size_t*>(raw) = want;
        return raw + HEADER;
    }
    void* moved = Allocate(n);
    if (!moved)
        return nullptr;
    std::memcpy(moved, block, have < want ? have : want);
    Release(block);
    return moved;
}

int Round(int n)
{
    return n < 0 ? n : static_cast<int>(RoundUp(static_cast<std::size_t>(n)));
}

int Init(void*)
{
    return SQLITE_OK;
}

void Shutdown(void*) {}

}  // namespace

const sqlite3_mem_methods& SqliteBlockCacheMethods()
{
    static const sqlite3_mem_methods methods = {Allocate, Release, Resize, Size, Round, Init, Shutdown, nullptr};
    return methods;
}
