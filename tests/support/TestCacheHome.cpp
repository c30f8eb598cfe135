// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled into every test program that uses the test support: the user's
// cache of the programs under test (the stations' cache beside a database
// above all) goes to the build tree, never to the cache of whoever runs the
// tests. A test that names a cache of its own keeps it.

#include <cstdlib>

#ifdef MERIDANE_BINARY_DIR
namespace {

const bool CACHE_HOME_SET = [] {
    setenv("XDG_CACHE_HOME", MERIDANE_BINARY_DIR "/test-cache", 0);
    return true;
}();

}  // namespace
#endif
