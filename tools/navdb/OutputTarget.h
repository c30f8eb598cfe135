// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace navdb {

// Throws NavdbError when putting the database at output would destroy
// something other than a previous database: one of the import's own inputs
// (compared by device and inode, so "./", a second spelling or a link to it
// are caught) or an existing file that is not a regular file once links are
// followed (a directory, a device such as /dev/null, a FIFO). An output that
// does not exist yet passes; inputs that do not exist are not compared.
void checkOutputTarget(const std::string& output, const std::vector<std::string>& inputs);

}  // namespace navdb
