#pragma once

#include "labelqueue/DbfHeader.h"
#include "labelqueue/DbfRecord.h"
#include "labelqueue/DbfResult.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

// A dBase table on disk, read and written through shapelib. Every write is
// committed at once: the row is in the file and the header counts it before
// the call returns, so a crash keeps every row that was reported stored.
class DbfTable
{
public:
    enum class Creation { Created, AlreadyExisted };

    ~DbfTable();
    DbfTable(const DbfTable &) = delete;
    DbfTable &operator=(const DbfTable &) = delete;

    // Opens an existing table for reading and writing. The fields are found by
    // name in any order and case; a required one that is missing, or a header
    // that does not match the file, is reported and nothing is opened.
    static DbfResult<std::unique_ptr<DbfTable>> open(const QString &path, const QList<DbfFieldSpec> &fields);

    // Creates an empty table with these fields and the CP950 code page byte.
    // An existing file is never touched: the table is built beside it and only
    // moved to the name when nothing is there.
    static DbfResult<Creation> create(const QString &path, const QList<DbfFieldSpec> &fields);

    QString path() const { return path_; }
    bool isOpen() const;
    // Rows in the file, deleted ones included.
    int recordCount() const { return recordCount_; }
    quint8 languageDriver() const { return header_.languageDriver; }
    const std::shared_ptr<const DbfLayout> &layout() const { return layout_; }

    DbfRecord blankRecord() const { return DbfRecord::blank(layout_); }
    DbfResult<DbfRecord> read(int recordNumber) const;
    // Numbers of the rows not marked deleted, in file order.
    DbfResult<std::vector<int>> liveRecordNumbers() const;

    // Each returns once the change is in the file with the header updated.
    DbfResult<int> append(const DbfRecord &record);
    DbfStatus update(int recordNumber, const DbfRecord &record);
    DbfStatus markDeleted(int recordNumber);
    // Replaces the file by an empty table with the same header (fields, code
    // page), built beside it and renamed into place, then reopens it. On
    // failure the old table stays as it was.
    DbfStatus makeEmpty();

    DbfStatus close();

private:
    struct Io;

    DbfTable(QString path, QList<DbfFieldSpec> fields);
    DbfStatus openHandle();
    DbfStatus checkWritable(const DbfRecord *record) const;
    DbfStatus commit(const QString &what);
    // reason by value: it may be the failure text of the handle this closes.
    DbfStatus writeFailed(const QString &what, QString reason);
    QString displayName() const;

    QString path_;
    QList<DbfFieldSpec> fields_;
    DbfHeader header_;
    std::shared_ptr<const DbfLayout> layout_;
    std::unique_ptr<Io> io_; // the open shapelib handle and its write state
    int recordCount_ = 0;
};
