// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/HttpDownload.h"

#include "update/UpdateError.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>

namespace update {

namespace {

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string trimmed(std::string text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

struct Transfer {
    std::FILE* file = nullptr;
    int writeErrno = 0;
    std::string statusLine;  // of the last response (redirects come first)
    const TransferProgress* progress = nullptr;
    bool cancelled = false;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (std::fwrite(data, 1, bytes, transfer->file) != bytes) {
        transfer->writeErrno = errno != 0 ? errno : EIO;
        return 0;
    }
    return bytes;
}

// The status line of each response (redirects come first), for the reason
// phrase in messages; libcurl keeps the header fields themselves.
std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::string line(data, size * count);
    if (line.compare(0, 5, "HTTP/") == 0)
        transfer->statusLine = trimmed(line);
    return size * count;
}

// A field of the last response, as libcurl read it; empty where it has none.
std::string headerField(CURL* handle, const char* name)
{
    curl_header* field = nullptr;
    return curl_easy_header(handle, name, 0, CURLH_HEADER, -1, &field) == CURLHE_OK ? std::string(field->value)
                                                                                   : std::string();
}

int onProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->progress && *transfer->progress &&
        !(*transfer->progress)(static_cast<std::uint64_t>(now), static_cast<std::uint64_t>(total))) {
        transfer->cancelled = true;
        return 1;
    }
    return 0;
}

// "404 Not Found" from "HTTP/1.1 404 Not Found".
std::string statusText(const std::string& statusLine, long status)
{
    const auto space = statusLine.find(' ');
    return space == std::string::npos ? std::to_string(status) : statusLine.substr(space + 1);
}

}  // namespace

DownloadOutcome downloadFile(const std::string& url, const std::string& name, const std::string& path,
                             const Validators& known, long timeoutSeconds, const TransferProgress& progress)
{
    initialiseCurlOnce();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) {
        throw UpdateError(name + ": cannot create " + path + ": " + std::strerror(errno));
    }
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) {
        throw UpdateError(name + ": cannot start the download (libcurl did not initialise)");
    }
    Transfer transfer;
    transfer.file = file.get();
    transfer.progress = &progress;

    std::unique_ptr<curl_slist, void (*)(curl_slist*)> headers(nullptr, &curl_slist_free_all);
    if (!known.etag.empty()) {
        headers.reset(curl_slist_append(headers.release(), ("If-None-Match: " + known.etag).c_str()));
    }
    if (!known.lastModified.empty()) {
        headers.reset(curl_slist_append(headers.release(), ("If-Modified-Since: " + known.lastModified).c_str()));
    }
    char errorText[CURL_ERROR_SIZE] = "";
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "meridane-navdb");
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, timeoutSeconds);
    // A server that stops sending, rather than one that is merely slow.
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, timeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(handle);
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (transfer.cancelled || code == CURLE_ABORTED_BY_CALLBACK) {
        throw UpdateCancelled();
    }
    if (code == CURLE_WRITE_ERROR && transfer.writeErrno != 0) {
        throw UpdateError(name + ": cannot write " + path + ": " + std::strerror(transfer.writeErrno));
    }
    if (code == CURLE_OPERATION_TIMEDOUT) {
        throw UpdateError(name + ": the server at " + url + " sent nothing for " + std::to_string(timeoutSeconds) +
                          " seconds");
    }
    if (code == CURLE_PARTIAL_FILE) {
        throw UpdateError(name + ": the download from " + url + " was cut off before the end of the file");
    }
    if (code != CURLE_OK) {
        throw UpdateError(name + ": cannot download " + url + ": " +
                          (errorText[0] != '\0' ? errorText : curl_easy_strerror(code)));
    }
    if (std::fflush(file.get()) != 0 || std::ferror(file.get())) {
        throw UpdateError(name + ": cannot write " + path + ": " + std::strerror(errno));
    }
    if (std::fclose(file.release()) != 0) {
        throw UpdateError(name + ": cannot write " + path + ": " + std::strerror(errno));
    }

    DownloadOutcome outcome;
    if (status == 304) {
        outcome.notModified = true;
        return outcome;
    }
    if (status != 200) {
        throw UpdateError(name + ": the server answered " + statusText(transfer.statusLine, status) + " for " + url);
    }
    curl_off_t bytes = 0;
    curl_easy_getinfo(handle, CURLINFO_SIZE_DOWNLOAD_T, &bytes);
    outcome.bytes = static_cast<std::uint64_t>(bytes);
    outcome.validators.etag = headerField(handle, "ETag");
    outcome.validators.lastModified = headerField(handle, "Last-Modified");
    return outcome;
}

std::string httpDateToIsoDate(const std::string& httpDate)
{
    if (httpDate.empty()) {
        return {};
    }
    const std::time_t when = curl_getdate(httpDate.c_str(), nullptr);
    if (when == -1) {
        return {};
    }
    std::tm parts{};
    if (::gmtime_r(&when, &parts) == nullptr) {
        return {};
    }
    char text[16];
    return std::strftime(text, sizeof text, "%Y-%m-%d", &parts) > 0 ? text : std::string();
}

}  // namespace update
