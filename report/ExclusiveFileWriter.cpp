// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ExclusiveFileWriter.h"

#include "base/WholeFile.h"

#include "report/FileErrorText.h"
#include "report/FileException.h"

#include <cerrno>

void WriteFileExclusively(const std::string& path, const std::string& bytes)
{
    // The earlier report stays locked until the new one has taken its place,
    // and a report whose folder takes no new file is still written in place.
    std::optional<base::WriteFailure> failure =
        base::writeFileWhole(path, bytes, base::WholeFileRules{true, true});
    if (!failure)
        return;
    using Step = base::WriteFailure::Step;
    switch (failure->step) {
    case Step::Refused:
        throw CFileException(ProtectedFileText(path));
    case Step::Locked:
        throw CFileException(SharingViolationText(path));
    case Step::Write:
        throw CFileException(DiskFullText(path));
    case Step::Truncate:
        if (failure->error == ENOSPC || failure->error == EDQUOT)
            throw CFileException(DiskFullText(path));
        break;
    case Step::Open:
    case Step::Create:
    case Step::Permissions:
    case Step::Rename:
        break;
    }
    throw CFileException(OpenFailureText(failure->error, path));
}
