#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <utility>
#include <vector>

class LabelQueue;

// The records of a queue as its exports left them: a record whose bytes
// (values and count) are still those is printed. Held by record number, with
// a checksum of the bytes rather than the bytes.
class PrintedMarks
{
public:
    static quint64 digest(QByteArrayView record);

    // Records in ascending order, as an export reads them.
    void add(int recordNumber, QByteArrayView record);
    // A later export's marks win over earlier ones of the same record.
    void merge(const PrintedMarks &later);
    bool isEmpty() const { return marks_.empty(); }
    bool isPrinted(int recordNumber, QByteArrayView record) const;

    // The records of the queue's rows from fromRow on that are printed,
    // ascending; read a run at a time.
    std::vector<int> printedRecords(const LabelQueue &queue, int fromRow = 0) const;

    QByteArray packed() const;
    static PrintedMarks fromPacked(QByteArrayView packed);

private:
    std::vector<std::pair<int, quint64>> marks_; // by record number
};
