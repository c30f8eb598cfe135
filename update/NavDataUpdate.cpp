// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/NavDataUpdate.h"

#include "update/DownloadCache.h"
#include "update/HttpDownload.h"
#include "update/SourceCheck.h"
#include "update/UpdateError.h"

#include "tools/navdb/NavdbError.h"
#include "base/DataFiles.h"
#include "base/NonCopyable.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace update {

const char* const OUR_AIRPORTS_DATA_URL = "https://davidmegginson.github.io/ourairports-data/";

namespace {

constexpr const char* STAGING_PREFIX = ".update-";

// The downloads of one update, in a directory of the cache that is removed
// with everything in it however the update ends.
class StagingDir : base::NonCopyable {
public:
    explicit StagingDir(const std::string& cacheDir)
    {
        std::string pattern = cacheDir + "/" + STAGING_PREFIX + "XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw UpdateError("cannot create a directory for the downloads in " + cacheDir + ": " +
                              std::error_code(errno, std::generic_category()).message());
        }
        m_path = pattern;
    }
    ~StagingDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Staging directories of updates that were killed: with the lock held, no
// other update owns one.
void removeStaleStaging(const std::string& cacheDir)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(cacheDir, error)) {
        if (entry.path().filename().string().rfind(STAGING_PREFIX, 0) == 0) {
            std::error_code ignored;
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }
}

std::string today()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::gmtime_r(&now, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
    return text;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string withSlash(std::string url)
{
    if (!url.empty() && url.back() != '/') {
        url += '/';
    }
    return url;
}

// A cached file for the import, without copying it where a hard link will do.
void takeFromCache(const DownloadCache& cache, const std::string& name, const std::string& staged)
{
    std::error_code error;
    std::filesystem::remove(staged, error);
    std::filesystem::create_hard_link(cache.path(name), staged, error);
    if (error) {
        error.clear();
        std::filesystem::copy_file(cache.path(name), staged, error);
    }
    if (error) {
        throw UpdateError(name + ": cannot use the copy in the download cache " + cache.path(name) + ": " +
                          error.message());
    }
}

// Without a home the user's folders lie below the working directory.
std::string userDir(base::UserDir which, const char* underHome)
{
    const std::string dir = base::userDir(which);
    return dir.empty() ? std::string("./") + underHome : dir;
}

}  // namespace

UpdateResult updateNavigationData(const UpdateOptions& options, const UpdateProgressHandler& progress)
{
    const DownloadCache cache(options.cacheDir);
    const UpdateLock lock(cache.dir());
    removeStaleStaging(cache.dir());
    const StagingDir staging(cache.dir());
    const std::string base = withSlash(options.sourceUrl);
    const std::size_t fileCount = std::size(OUR_AIRPORTS_FILES);

    UpdateResult result;
    std::vector<Validators> fetched;
    navdb::ImportOptions import;
    import.ourairportsDir = staging.path();
    import.xplaneNav = options.xplaneNav;
    import.includeHeliports = options.includeHeliports;
    import.output = options.output;

    for (std::size_t index = 0; index < fileCount; ++index) {
        const std::string name = OUR_AIRPORTS_FILES[index];
        const std::string url = base + name;
        UpdateProgress step;
        step.file = index;
        step.files = fileCount;
        step.name = name;
        if (progress && !progress(step)) {
            throw UpdateCancelled();
        }
        const Validators known = cache.validators(name, url);
        const DownloadOutcome outcome =
            downloadFile(url, name, staging.file(name), known, options.timeoutSeconds,
                         [&](std::uint64_t received, std::uint64_t total) {
                             step.received = received;
                             step.total = total;
                             return !progress || progress(step);
                         });
        FetchedFile file;
        file.name = name;
        file.downloaded = !outcome.notModified;
        file.bytes = outcome.bytes;
        const Validators& current = outcome.notModified ? known : outcome.validators;
        if (outcome.notModified) {
            takeFromCache(cache, name, staging.file(name));
        } else {
            const std::size_t rows = checkDownloadedCsv(staging.file(name), name);
            const auto reference = options.referenceRows.find(name);
            if (!options.force && reference != options.referenceRows.end() && rows * 2 < reference->second) {
                throw UpdateError(name + ": the download has only " + std::to_string(rows) +
                                  " rows, under half of the " + std::to_string(reference->second) +
                                  " expected; it looks cut short at the source (--force takes it anyway)");
            }
        }
        file.date = httpDateToIsoDate(current.lastModified);
        if (file.date.empty()) {
            file.date = today();
        }
        import.origins[name] = navdb::SourceOrigin{url, file.date};
        fetched.push_back(outcome.notModified ? Validators{} : outcome.validators);
        result.files.push_back(file);
    }

    UpdateProgress importing;
    importing.stage = UpdateProgress::Stage::Import;
    importing.file = fileCount;
    importing.files = fileCount;
    import.cancelled = [&] { return progress && !progress(importing); };
    if (progress && !progress(importing)) {
        throw UpdateCancelled();
    }
    try {
        result.import = navdb::importNavigationData(import);
        for (navdb::SkippedRows& skipped : result.import.skipped) {
            skipped.renameFile(replaceAll(skipped.file(), staging.path() + "/", base));
        }
    } catch (const navdb::ImportCancelled&) {
        throw UpdateCancelled();
    } catch (const navdb::NavdbError& error) {
        // The staged files are gone with this update; the address names them.
        throw UpdateError(replaceAll(error.what(), staging.path() + "/", base));
    }

    for (std::size_t index = 0; index < fileCount; ++index) {
        if (!result.files[index].downloaded) {
            continue;
        }
        const std::string name = result.files[index].name;
        try {
            cache.store(name, staging.file(name), base + name, fetched[index]);
        } catch (const UpdateError& error) {
            result.notes.push_back(std::string(error.what()) + " (the next update downloads it again)");
        }
    }
    return result;
}

std::string defaultDatabasePath()
{
    return userDir(base::UserDir::Data, ".local/share") + "/meridane/VORS.MDB";
}

std::string defaultCacheDir()
{
    return userDir(base::UserDir::Cache, ".cache") + "/meridane";
}

std::string defaultSourceUrl()
{
    const char* url = std::getenv("MERIDANE_OURAIRPORTS_URL");
    return url != nullptr && url[0] != '\0' ? url : OUR_AIRPORTS_DATA_URL;
}

}  // namespace update
