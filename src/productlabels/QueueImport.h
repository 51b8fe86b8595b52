#pragma once

#include "productlabels/FillQueueFromReply.h"

#include <QByteArray>
#include <QString>

class ServerExchange;

// How an accepted import of either label side ended. The window shows message
// through Msg3dShow when it is not empty; the command line prints it.
struct ImportOutcome {
    enum class Kind {
        ExchangeFailed, // nothing stored; the exchange's status line says why, the message when no server is set
        NoData,         // the reply's first line was not "DataOk"
        Completed,
        FillFailed, // a malformed reply or a refused row; rows before it stay
    };
    Kind kind = Kind::ExchangeFailed;
    int rowsAdded = 0;
    QByteArray firstLine; // the reply's first line, for NoData
    QString message;
};

// Posts request to script and appends one row per record of a "DataOk" reply
// to sink; the rows are appended after those already in the queue. Completed
// carries doneText; FillFailed a message that names the record and how many
// rows were stored before it; NoData no message.
ImportOutcome runQueueImport(ServerExchange &exchange, const char *script, const QByteArray &request,
                             const ReplyRecordShape &shape, ReplyRecordSink &sink, const FillOptions &options,
                             const QString &doneText);
