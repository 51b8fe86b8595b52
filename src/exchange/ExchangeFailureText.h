#pragma once

#include "exchange/ServerExchange.h"

#include <QString>

// Why the last exchange failed, in words a store can act on: the server
// refused the connection, did not answer in time, could not be found,
// answered with an HTTP error or compressed, sent nothing, or sent a refusal
// of its own.
// Empty when the last exchange was complete.
QString exchangeFailureReason(const ServerExchange &exchange);
// The same from the parts: how it ended, the reply, the server as typed.
QString exchangeFailureReason(const ServerExchange::Result &result, const ServerReply &reply, const QString &server);

// The exchange status line followed by the reason on a line of its own.
QString exchangeFailureMessage(const ServerExchange &exchange);
