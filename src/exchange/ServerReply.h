#pragma once

#include "exchange/ReplyBytes.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// The lines of a server reply body. CR LF, a lone LF and a lone CR each end a
// line; one break at the very end adds no empty line, two leave one. The body
// is kept once and indexed by line starts. The index never costs more than
// half the body nor more than maxIndexBytes: past that only every second
// (fourth, ...) line start is kept and a line is found from the kept start
// before it, or from the line read last, so reading in order costs nothing
// more. A reply is read from one thread at a time.
class ServerReply
{
public:
    static constexpr qsizetype maxLineLength = 4096;
    static constexpr qint64 maxIndexBytes = qint64(8) * 1024 * 1024;

    ServerReply() = default;
    explicit ServerReply(QByteArray body);
    explicit ServerReply(ReplyBytes body);

    qsizetype count() const { return count_; }
    // At most maxLineLength bytes; empty past the last line.
    QByteArray line(qsizetype index) const { return lineView(index).toByteArray(); }
    // The same bytes without a copy; valid while this reply lives unchanged.
    QByteArrayView lineView(qsizetype index) const;
    QByteArrayView body() const { return body_.view(); }

private:
    // The offset just past the break that ends the line at start, or the body's size.
    qint64 nextLineStart(qint64 start) const;
    void keepEverySecondStart();
    qsizetype keptMask() const { return (qsizetype(1) << shift_) - 1; }
    bool isKept(qsizetype line) const { return (line & keptMask()) == 0; }
    // Reading has passed start: the pages well behind it may go.
    void passed(qint64 start) const;

    ReplyBytes body_;
    std::vector<qint64> starts_; // of lines 0, 2^shift_, 2 * 2^shift_, ...
    int shift_ = 0;
    qsizetype count_ = 0;
    mutable qsizetype lastLine_ = -1;
    mutable qint64 lastStart_ = 0;
    mutable qint64 forgotten_ = 0; // pages before this were given back
};
