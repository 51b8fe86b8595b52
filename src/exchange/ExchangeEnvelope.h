#pragma once

#include "exchange/ServerReply.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The pure rules around one server exchange: the address, the bytes of the
// request body, the judgement of the reply and the status line text.
namespace ExchangeEnvelope {

// Why server cannot name the machine to ask. With no host the address would
// read the script as a host name and send a name lookup out for it; a NUL or
// a line break would cut or split the address; a "#" or "?" would make the
// script name a fragment or a query, and the request would go to another script.
enum class ServerProblem { None, Missing, ControlCharacter, QueryOrFragment };
ServerProblem serverProblem(const QByteArray &server);
// For the windows, naming the file and the key; it fits the main window's status line.
QString serverProblemNotice(ServerProblem problem);
// For barlabel-cli, which may also take the server from --server.
QString serverProblemReason(ServerProblem problem);

// "http://" + server as typed, one "/" before the script; a port and a path
// prefix in the server text are kept.
QByteArray address(const QByteArray &server, const QByteArray &script);

// The request pane holds lines; every line goes out followed by CR LF, while
// Content-Length counts the lines joined by CR LF without the final break.
struct WireBody {
    QByteArray bytes;
    qsizetype contentLength = 0; // 0: no Content-Length header at all
};
WireBody wireBody(const QByteArray &requestBody);

// "DataOk" … "EOT" or "NoData": exact, whole-line, case-sensitive.
bool isComplete(const ServerReply &reply);

enum class Outcome { Complete, Incomplete, TransportFailed };

// Milliseconds between two readings of a 32-bit tick counter, right across its wrap.
quint32 elapsedTicks(quint32 start, quint32 end);

QString statusLine(const QDateTime &at, Outcome outcome, quint32 elapsedMs);

} // namespace ExchangeEnvelope
