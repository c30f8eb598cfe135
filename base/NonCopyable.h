// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace base {

// Base of a class that owns a handle, a file or a signal disposition: a copy
// would release it twice, so neither copying nor moving is allowed.
class NonCopyable {
public:
    NonCopyable(const NonCopyable&) = delete;
    NonCopyable& operator=(const NonCopyable&) = delete;

protected:
    NonCopyable() = default;
    ~NonCopyable() = default;
};

}  // namespace base
