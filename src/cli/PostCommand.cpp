#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ExchangeReport.h"
#include "components/Big5.h"
#include "exchange/ServerExchange.h"

namespace {
// The server reads request lines of at most this many bytes.
constexpr qsizetype maxRequestLine = 4096;

QString requestProblem(const QByteArray &body)
{
    const QList<QByteArray> lines = QByteArray(body).replace('\r', '\n').split('\n');
    for (const QByteArray &line : lines) {
        if (line.size() > maxRequestLine) {
            return QStringLiteral("a request line is %1 bytes long; the server takes at most %2")
                .arg(line.size())
                .arg(maxRequestLine);
        }
    }
    return {};
}

int post(CommandContext &context, const QStringList &arguments)
{
    const Big5::Encoding script = Big5::encode(arguments.at(0));
    const Big5::Encoding body = Big5::encode(arguments.at(1));
    for (const Big5::Encoding *encoding : {&script, &body}) {
        if (!encoding->ok()) {
            Console::err(QStringLiteral("post: ") + encoding->errorText());
            return ExitCode::usage;
        }
    }
    const QString problem = requestProblem(body.bytes);
    if (!problem.isEmpty()) {
        Console::err(QStringLiteral("post: ") + problem);
        return ExitCode::usage;
    }

    ServerExchange &exchange = context.exchange;
    exchange.setRequestBody(body.bytes);
    const bool ok = exchange.post(arguments.at(0));
    Console::out(exchange.statusLine());
    const ServerReply &reply = exchange.reply();
    for (qsizetype i = 0; i < reply.count(); ++i) {
        Console::outBig5(reply.lineView(i));
    }
    if (!ok) {
        Console::err(QStringLiteral("post failed: ") + exchangeFailure(exchange));
        return ExitCode::failed;
    }
    return ExitCode::ok;
}
} // namespace

Command postCommand()
{
    return {{QStringLiteral("post")},
            QStringLiteral("SCRIPT BODY"),
            QStringLiteral("send BODY to SCRIPT as it is and print the reply"),
            2,
            2,
            post};
}
