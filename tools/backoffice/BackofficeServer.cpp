#include "BackofficeServer.h"

#include "Database.h"
#include "Refusal.h"
#include "ReplyWriter.h"
#include "RequestFields.h"
#include "Scripts.h"

#include <memory>

namespace {

const char *const kContentType = "text/plain; charset=big5";
// Requests are one line of at most a few kilobytes.
constexpr size_t kMaxRequestBytes = 64 * 1024;
constexpr size_t kWriteBlock = 1 << 20;

std::string scriptNameOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

BackofficeServer::BackofficeServer(Database &db)
    : db_(db)
{
    server_.set_payload_max_length(kMaxRequestBytes);
    // Any path prefix is accepted, as the label program's server setting may carry one.
    server_.Post(R"(/.*)", [this](const httplib::Request &request, httplib::Response &response) {
        const std::string name = scriptNameOf(request.path);
        if (!Scripts::find(name)) {
            response.status = 404;
            response.set_content("no such script: " + name + "\r\n", kContentType);
            return;
        }
        // The reply (up to tens of megabytes) is handed over without a copy.
        auto body = std::make_shared<std::string>(answer(name, request.body));
        response.set_content_provider(body->size(), kContentType,
                                      [body](size_t offset, size_t length, httplib::DataSink &sink) {
                                          return sink.write(body->data() + offset, std::min(length, kWriteBlock));
                                      });
    });
}

int BackofficeServer::bind(int port)
{
    if (port == 0) {
        return server_.bind_to_any_port("127.0.0.1");
    }
    return server_.bind_to_port("127.0.0.1", port) ? port : -1;
}

bool BackofficeServer::serve()
{
    return server_.listen_after_bind();
}

void BackofficeServer::stop()
{
    server_.stop();
}

std::string BackofficeServer::answer(const std::string &scriptName, const std::string &body)
{
    const ScriptHandler handler = Scripts::find(scriptName);
    try {
        const RequestFields fields = RequestFields::parse(body);
        const std::lock_guard<std::mutex> lock(dbMutex_);
        return handler(db_, fields);
    } catch (const Refusal &refusal) {
        return ReplyWriter::refusal(refusal.text());
    } catch (const DatabaseError &error) {
        return ReplyWriter::refusal(QStringLiteral("資料庫錯誤 : ") + QString::fromUtf8(error.what()));
    } catch (const std::exception &error) {
        return ReplyWriter::refusal(QStringLiteral("伺服器錯誤 : ") + QString::fromUtf8(error.what()));
    }
}
