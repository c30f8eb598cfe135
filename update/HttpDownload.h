// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace update {

// What a server said of a file's version, sent back on the next request so
// that an unchanged file is not sent again.
struct Validators {
    std::string etag;
    std::string lastModified;  // the Last-Modified header as the server wrote it
};

struct DownloadOutcome {
    bool notModified = false;  // 304: the copy the validators came from is current
    Validators validators;     // of the file sent (empty when notModified)
    std::uint64_t bytes = 0;
};

// Bytes received so far and the whole size (0 when the server did not say);
// returns false to stop the transfer.
using TransferProgress = std::function<bool(std::uint64_t received, std::uint64_t total)>;

// Fetches url into the file at path (created or emptied), asking only for a
// version newer than known. A server that does not answer, or sends nothing
// for timeoutSeconds, fails the download. Throws UpdateError naming `name`
// (the file's name for the user) and the cause: the connection, the HTTP
// status, a body cut short, the file that could not be written; and
// UpdateCancelled when progress returned false. path may hold a part of the
// body after a failure: the caller removes it.
DownloadOutcome downloadFile(const std::string& url, const std::string& name, const std::string& path,
                             const Validators& known, long timeoutSeconds, const TransferProgress& progress);

// The date of an HTTP date ("Sat, 22 Aug 2026 06:10:00 GMT") as YYYY-MM-DD;
// empty when it cannot be read.
std::string httpDateToIsoDate(const std::string& httpDate);

}  // namespace update
