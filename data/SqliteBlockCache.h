// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sqlite3.h>

// A memory allocator for SQLite that keeps the small blocks a statement
// frees and hands them to the next statement, instead of returning each to
// malloc. Every statement parses its text, builds its program and names its
// columns in some two hundred small blocks; malloc answered those from its
// slow paths, since the driver manager's large allocations between them
// consolidate its free lists. Each thread keeps its own blocks (at most
// 1 MiB of them), so the allocator needs no lock; blocks larger than 1 KiB
// go straight to malloc. Every block carries its size in an 8-byte header.
const sqlite3_mem_methods& SqliteBlockCacheMethods();
