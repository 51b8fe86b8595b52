#include "exchange/HttpPost.h"

#include "components/Big5.h"
#include "exchange/CurlLibrary.h"
#include "exchange/ReplySpool.h"

#include <QList>

#include <memory>

namespace {
struct EasyDeleter {
    const CurlLibrary *curl;
    void operator()(CURL *easy) const { curl->easy_cleanup(easy); }
};
struct MultiDeleter {
    const CurlLibrary *curl;
    void operator()(CURLM *multi) const { curl->multi_cleanup(multi); }
};
struct HeaderListDeleter {
    const CurlLibrary *curl;
    void operator()(curl_slist *list) const { curl->slist_free_all(list); }
};

bool isHttpAddress(const char *url)
{
    const QByteArray lower = QByteArray(url).toLower();
    return lower.startsWith("http://") || lower.startsWith("https://");
}

HttpPost::Failure networkFailure(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
        return HttpPost::Failure::Refused;
    case CURLE_OPERATION_TIMEDOUT:
        return HttpPost::Failure::TimedOut;
    case CURLE_COULDNT_RESOLVE_HOST:
        return HttpPost::Failure::NameNotFound;
    default:
        return HttpPost::Failure::Network;
    }
}

// Several Content-Encoding lines, or one with a list, name codings applied in turn.
bool isEncoded(const QByteArray &codings)
{
    for (const QByteArray &coding : codings.split(',')) {
        const QByteArray name = coding.trimmed().toLower();
        if (!name.isEmpty() && name != "identity") {
            return true;
        }
    }
    return false;
}

// As given, so that a message names the directory the user set even when it is missing.
QString spoolDirectory()
{
    const QString directory = qEnvironmentVariable("TMPDIR");
    return directory.isEmpty() ? QStringLiteral("/tmp") : directory;
}

// A header's bytes are the server's: nothing but printable ASCII goes into a message.
QString printableHeaderValue(const QByteArray &value)
{
    constexpr qsizetype shownBytes = 80;
    QString shown;
    for (const char c : value.left(shownBytes)) {
        shown += uchar(c) >= 0x20 && uchar(c) < 0x7F ? QChar::fromLatin1(c) : QChar(u'?');
    }
    return value.size() > shownBytes ? shown + QStringLiteral("...") : shown;
}
} // namespace

struct HttpPost::Transfer {
    HttpPost *post;
    CURL *easy;
    ReplySpool body;
    QByteArray contentEncoding; // of the reply being read
    bool tooLarge = false;
    bool sized = false;
    qint64 lastByteMs = 0; // on the run's clock
};

HttpPost::HttpPost(QByteArray url, QByteArray body, qint64 contentLength, Limits limits)
    : url_(std::move(url))
    , body_(std::move(body))
    , contentLength_(contentLength)
    , limits_(limits)
{}

void HttpPost::cancel()
{
    cancelled_ = true;
    const std::lock_guard<std::mutex> lock(multiMutex_);
    if (multi_) {
        curl_->multi_wakeup(static_cast<CURLM *>(multi_));
    }
}

size_t HttpPost::header(char *data, size_t size, size_t count, void *userdata)
{
    // Header bytes do not hold off the stall limit: a server could send them
    // one a second for ever. The clock runs from the request until the body.
    auto *transfer = static_cast<Transfer *>(userdata);
    const QByteArray line(data, qsizetype(size * count));
    static constexpr char encodingName[] = "content-encoding:";
    constexpr qsizetype nameSize = sizeof(encodingName) - 1;
    if (line.startsWith("HTTP/")) {
        // An interim 1xx or a redirection came before: this is another reply.
        transfer->contentEncoding.clear();
    } else if (line.size() >= nameSize && qstrnicmp(line.constData(), encodingName, nameSize) == 0) {
        if (!transfer->contentEncoding.isEmpty()) {
            transfer->contentEncoding += ", ";
        }
        transfer->contentEncoding += line.sliced(nameSize).trimmed();
    }
    return size * count;
}

size_t HttpPost::write(char *data, size_t size, size_t count, void *userdata)
{
    auto *transfer = static_cast<Transfer *>(userdata);
    const qint64 bytes = qint64(size * count);
    transfer->lastByteMs = transfer->post->started_.elapsed();
    if (transfer->post->cancelled_) {
        return 0;
    }
    // Checked here because libcurl's own size limit cannot see chunked or
    // close-delimited bodies coming.
    if (transfer->body.size() + bytes > transfer->post->limits_.bodyBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    if (!transfer->sized) {
        transfer->sized = true;
        curl_off_t announced = -1;
        transfer->post->curl_->easy_getinfo(transfer->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
        transfer->body.expect(announced);
    }
    if (!transfer->body.append(data, bytes)) {
        return 0;
    }
    transfer->post->received_ += bytes;
    return size * count;
}

bool HttpPost::overLimit(const Transfer &transfer, Result &result) const
{
    const qint64 now = started_.elapsed();
    if (limits_.totalMs > 0 && now >= limits_.totalMs) {
        result.failure = Failure::TimedOut;
        result.reason = QStringLiteral("No whole reply from %1 within %2 s.")
                            .arg(Big5::decode(url_))
                            .arg(double(limits_.totalMs) / 1000);
        return true;
    }
    if (limits_.stallMs > 0 && now - transfer.lastByteMs >= limits_.stallMs) {
        result.failure = Failure::TimedOut;
        result.reason =
            (transfer.sized ? QStringLiteral("%1 sent nothing for %2 s; the exchange was ended.")
                            : QStringLiteral("%1 did not begin its reply within %2 s; the exchange was ended."))
                .arg(Big5::decode(url_))
                .arg(double(limits_.stallMs) / 1000);
        return true;
    }
    return false;
}

// Runs the easy handle's request to its end, or until cancel() wakes the wait
// or a limit passes.
int HttpPost::perform(void *multiHandle, void *easyHandle, Transfer &transfer, Result &result)
{
    auto *multi = static_cast<CURLM *>(multiHandle);
    auto *easy = static_cast<CURL *>(easyHandle);
    CURLcode code = CURLE_OK;
    curl_->multi_add_handle(multi, easy);
    // Often enough to end near a short limit, rarely enough to cost nothing.
    const int waitMs = limits_.stallMs > 0 || limits_.totalMs > 0 ? 50 : 1000;
    int running = 1;
    while (running && !cancelled_ && !overLimit(transfer, result)) {
        CURLMcode multiCode = curl_->multi_perform(multi, &running);
        if (multiCode == CURLM_OK && running) {
            multiCode = curl_->multi_poll(multi, nullptr, 0, waitMs, nullptr);
        }
        if (multiCode != CURLM_OK) {
            result.failure = Failure::Network;
            result.reason =
                QStringLiteral("The network library failed: ") + QString::fromUtf8(curl_->multi_strerror(multiCode));
            break;
        }
    }
    int pending = 0;
    while (CURLMsg *message = curl_->multi_info_read(multi, &pending)) {
        if (message->msg == CURLMSG_DONE) {
            code = message->data.result;
        }
    }
    curl_->multi_remove_handle(multi, easy);
    return code;
}

HttpPost::Result HttpPost::run()
{
    Result result;
    started_.start();
    curl_ = CurlLibrary::get();
    if (!curl_) {
        result.failure = Failure::Network;
        result.reason = QStringLiteral("The network library could not be started: ") + CurlLibrary::loadError();
        return result;
    }
    const std::unique_ptr<CURL, EasyDeleter> easyHandle(curl_->easy_init(), EasyDeleter{curl_});
    const std::unique_ptr<CURLM, MultiDeleter> multiHandle(curl_->multi_init(), MultiDeleter{curl_});
    CURL *easy = easyHandle.get();
    CURLM *multi = multiHandle.get();
    if (!easy || !multi) {
        result.failure = Failure::Network;
        result.reason = QStringLiteral("The network library could not be started.");
        return result;
    }

    // The order of these lines is the order on the wire; libcurl writes Host
    // itself ahead of them, from the address of each request. The empty ones
    // keep libcurl's own lines out.
    const QByteArray contentLengthLine =
        contentLength_ > 0 ? QByteArrayLiteral("Content-Length: ") + QByteArray::number(contentLength_)
                           : QByteArrayLiteral("Content-Length:");
    curl_slist *list = nullptr;
    for (const char *line :
         {"Accept: text/html, */*", "User-Agent: Mozilla/3.0 (compatible; Indy Library)",
          "Content-Type: application/x-www-form-urlencoded", contentLengthLine.constData(), "Expect:"}) {
        list = curl_->slist_append(list, line);
    }
    const std::unique_ptr<curl_slist, HeaderListDeleter> headers(list, HeaderListDeleter{curl_});

    Transfer transfer{this, easy, ReplySpool(spoolDirectory()), {}};
    char errorText[CURL_ERROR_SIZE] = {};
    curl_->easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_->easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText);
    curl_->easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_->easy_setopt(easy, CURLOPT_POST, 1L);
    curl_->easy_setopt(easy, CURLOPT_POSTFIELDS, body_.constData());
    curl_->easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body_.size()));
    curl_->easy_setopt(easy, CURLOPT_HTTPHEADER, headers.get());
    curl_->easy_setopt(easy, CURLOPT_PROXY, "");
    curl_->easy_setopt(easy, CURLOPT_NOPROXY, "*");
    curl_->easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_->easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_->easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_->easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_->easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_->easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
    curl_->easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits_.bodyBytes));
    curl_->easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpPost::write);
    curl_->easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_->easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpPost::header);
    curl_->easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);

    {
        const std::lock_guard<std::mutex> lock(multiMutex_);
        multi_ = multi;
    }
    struct ForgetMulti {
        HttpPost *post;
        ~ForgetMulti()
        {
            const std::lock_guard<std::mutex> lock(post->multiMutex_);
            post->multi_ = nullptr;
        }
    } forgetMulti{this};

    QByteArray url = url_;
    const auto spoolFailure = [&] {
        result.failure = Failure::Spool;
        result.reason = transfer.body.error();
        return result;
    };
    const auto answer = [&] {
        if (isEncoded(transfer.contentEncoding)) {
            result.failure = Failure::Compressed;
            result.contentEncoding = printableHeaderValue(transfer.contentEncoding);
            result.reason = QStringLiteral("%1 sent a compressed reply (Content-Encoding: %2), which this program "
                                           "cannot read; turn compression off on the server or its proxy.")
                                .arg(Big5::decode(url), result.contentEncoding);
            return result;
        }
        std::optional<ReplyBytes> body = transfer.body.take();
        if (!body) {
            return spoolFailure();
        }
        result.body = std::move(*body);
        return result;
    };
    while (true) {
        ++result.requests;
        transfer.body.clear();
        transfer.contentEncoding = QByteArray();
        transfer.sized = false;
        transfer.lastByteMs = started_.elapsed();
        errorText[0] = '\0';
        curl_->easy_setopt(easy, CURLOPT_URL, url.constData());

        const auto code = CURLcode(perform(multi, easy, transfer, result));

        if (cancelled_) {
            result.failure = Failure::Cancelled;
            result.reason = QStringLiteral("The exchange was cancelled.");
            return result;
        }
        if (!result.ok()) {
            return result;
        }
        if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
            result.failure = Failure::BodyTooLarge;
            result.reason = QStringLiteral("The reply is larger than %1 MiB, the most this program takes.")
                                .arg(limits_.bodyBytes / (1024 * 1024));
            return result;
        }
        if (!transfer.body.error().isEmpty()) {
            return spoolFailure();
        }
        if (code != CURLE_OK) {
            result.failure = networkFailure(code);
            result.reason =
                QStringLiteral("No reply from %1: %2")
                    .arg(Big5::decode(url), QString::fromUtf8(errorText[0] ? errorText : curl_->easy_strerror(code)));
            return result;
        }

        long status = 0;
        curl_->easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        result.httpStatus = int(status);
        if (status >= 200 && status <= 299) {
            return answer();
        }
        const char *location = nullptr;
        curl_->easy_getinfo(easy, CURLINFO_REDIRECT_URL, &location);
        const bool redirection = status >= 300 && status <= 399 && status != 304 && location;
        if (redirection && result.requests == maxRequests) {
            return answer();
        }
        if (redirection && isHttpAddress(location)) {
            url = location;
            continue;
        }
        result.failure = Failure::HttpStatus;
        result.reason = redirection
                            ? QStringLiteral("%1 redirects to %2, which is not an HTTP address.")
                                  .arg(Big5::decode(url), Big5::decode(location))
                            : QStringLiteral("%1 answered with HTTP status %2.").arg(Big5::decode(url)).arg(status);
        return result;
    }
}
