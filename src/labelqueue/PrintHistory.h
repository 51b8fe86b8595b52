#pragma once

#include "labelqueue/DbfResult.h"
#include "labelqueue/ExportedRows.h"
#include "labelqueue/PrintedMarks.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <utility>
#include <vector>

class SqliteStatement;

// One export that wrote a label file, as the history lists it.
struct PrintedExport {
    qint64 id = 0;
    QDateTime made;
    int rows = 0;
    qint64 lines = 0;
    qint64 labels = 0;
    QString labelFile;
    QString firstNames; // the names of the first rows, for a person to know the batch
};

// The exports of a queue, kept with the exact bytes each wrote and the rows
// it wrote them from, in the program's own file beside the queue tables (the
// journal's), so a jammed batch can be written again or put back in the
// queue. The last keptExports, or those of the last keptDays days when they
// are more, are kept. The queue's printed marks are kept there too.
class PrintHistory
{
public:
    static constexpr int keptExports = 500;
    static constexpr int keptDays = 90;

    explicit PrintHistory(QString path);

    // Records an export of queue (a table's file name): packedBytes are the
    // label file's bytes and packedRows the rows, as Packing and
    // ExportedRowsPacker made them; the records are marked printed. The
    // text says when older exports were dropped, empty otherwise.
    DbfResult<QString> record(const QString &queue, const PrintedExport &printed, const QByteArray &packedBytes,
                              const QByteArray &packedRows, const PrintedMarks &marks);
    // Newest first.
    DbfResult<std::vector<PrintedExport>> exports(const QString &queue) const;
    // Writes the export's bytes to its label file again, replacing the file
    // only when they are all on the disk.
    DbfResult<PrintedExport> writeAgain(const QString &queue, qint64 id) const;
    // The rows export id was written from.
    DbfResult<ExportedRows> rowsOf(const QString &queue, qint64 id) const;

    // The marks of the queue's exports since it was last emptied.
    DbfResult<PrintedMarks> printedMarks(const QString &queue) const;
    // After the queue was emptied: its rows from now on are new ones.
    DbfStatus forgetPrinted(const QString &queue);

private:
    // Runs sql (its parameters: the queue, the id) and hands the export's row to read; why there is none otherwise.
    template <typename Read>
    auto withExport(const QString &queue, qint64 id, const char *sql, Read read) const
        -> decltype(read(std::declval<const SqliteStatement &>()));

    QString path_;
};
