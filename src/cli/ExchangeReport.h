#pragma once

#include <QString>

class ServerExchange;

// Why the last exchange did not give a complete reply, as one sentence for
// stderr: the transport's reason, the server's refusal line, or a cut reply.
QString exchangeFailure(const ServerExchange &exchange);
