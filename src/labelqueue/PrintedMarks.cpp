#include "labelqueue/PrintedMarks.h"

#include "labelqueue/LabelQueue.h"
#include "labelqueue/RecordDigest.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr qsizetype packedMark = 12;

bool byRecord(const std::pair<int, quint64> &mark, int recordNumber)
{
    return mark.first < recordNumber;
}

} // namespace

quint64 PrintedMarks::digest(QByteArrayView record)
{
    return recordDigest(record.data(), int(record.size()));
}

void PrintedMarks::add(int recordNumber, QByteArrayView record)
{
    const std::pair<int, quint64> mark{recordNumber, digest(record)};
    if (marks_.empty() || marks_.back().first < recordNumber) {
        marks_.push_back(mark);
        return;
    }
    const auto at = std::lower_bound(marks_.begin(), marks_.end(), recordNumber, byRecord);
    if (at != marks_.end() && at->first == recordNumber) {
        *at = mark;
    } else {
        marks_.insert(at, mark);
    }
}

void PrintedMarks::merge(const PrintedMarks &later)
{
    std::vector<std::pair<int, quint64>> merged;
    merged.reserve(marks_.size() + later.marks_.size());
    auto mine = marks_.begin();
    for (const auto &mark : later.marks_) {
        while (mine != marks_.end() && mine->first < mark.first) {
            merged.push_back(*mine++);
        }
        if (mine != marks_.end() && mine->first == mark.first) {
            ++mine;
        }
        merged.push_back(mark);
    }
    merged.insert(merged.end(), mine, marks_.end());
    marks_ = std::move(merged);
}

bool PrintedMarks::isPrinted(int recordNumber, QByteArrayView record) const
{
    const auto at = std::lower_bound(marks_.begin(), marks_.end(), recordNumber, byRecord);
    return at != marks_.end() && at->first == recordNumber && at->second == digest(record);
}

std::vector<int> PrintedMarks::printedRecords(const LabelQueue &queue, int fromRow) const
{
    std::vector<int> printed;
    if (marks_.empty()) {
        return printed;
    }
    LabelQueueRun run;
    for (int row = std::max(0, fromRow); row < queue.rowCount(); ++row) {
        const int recordNumber = queue.recordNumber(row);
        const auto at = std::lower_bound(marks_.begin(), marks_.end(), recordNumber, byRecord);
        if (at == marks_.end()) {
            break;
        }
        if (at->first != recordNumber) {
            continue;
        }
        qint64 offset = qint64(recordNumber - run.firstRecord) * run.recordLength;
        if (run.bytes.isEmpty() || offset < 0 || offset + run.recordLength > run.bytes.size()) {
            if (!queue.readRun(row, run).ok()) {
                break;
            }
            offset = 0;
        }
        if (at->second == digest(QByteArrayView(run.bytes).sliced(offset, run.recordLength))) {
            printed.push_back(recordNumber);
        }
    }
    return printed;
}

QByteArray PrintedMarks::packed() const
{
    QByteArray out(qsizetype(marks_.size()) * packedMark, Qt::Uninitialized);
    char *at = out.data();
    for (const auto &[recordNumber, sum] : marks_) {
        qToLittleEndian(quint32(recordNumber), at);
        qToLittleEndian(sum, at + 4);
        at += packedMark;
    }
    return out;
}

PrintedMarks PrintedMarks::fromPacked(QByteArrayView packed)
{
    PrintedMarks marks;
    marks.marks_.reserve(size_t(packed.size() / packedMark));
    for (qsizetype at = 0; at + packedMark <= packed.size(); at += packedMark) {
        const int recordNumber = int(qFromLittleEndian<quint32>(packed.data() + at));
        if (!marks.marks_.empty() && marks.marks_.back().first >= recordNumber) {
            return {};
        }
        marks.marks_.emplace_back(recordNumber, qFromLittleEndian<quint64>(packed.data() + at + 4));
    }
    return marks;
}
