#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// The lines of a server reply body. CR LF, a lone LF and a lone CR each end a
// line; one break at the very end adds no empty line, two leave one. The body
// is kept once and indexed by line starts. The index never costs more than
// half the body: when lines are so short that one entry a line would, only
// every second (fourth, ...) line start is kept and a line is found from the
// kept start before it.
class ServerReply
{
public:
    static constexpr qsizetype maxLineLength = 4096;
    // Line starts are stored as 32-bit offsets.
    static constexpr qsizetype maxBodySize = 0xFFFFFFFF;

    ServerReply() = default;
    // Throws std::length_error for a body over maxBodySize.
    explicit ServerReply(QByteArray body);

    qsizetype count() const { return count_; }
    // At most maxLineLength bytes; empty past the last line.
    QByteArray line(qsizetype index) const { return lineView(index).toByteArray(); }
    // The same bytes without a copy; valid while this reply lives unchanged.
    QByteArrayView lineView(qsizetype index) const;
    const QByteArray &body() const { return body_; }

private:
    // The offset just past the break that ends the line at start, or the body's size.
    qsizetype nextLineStart(qsizetype start) const;
    void keepEverySecondStart();
    qsizetype keptMask() const { return (qsizetype(1) << shift_) - 1; }
    bool isKept(qsizetype line) const { return (line & keptMask()) == 0; }

    QByteArray body_;
    std::vector<quint32> starts_; // of lines 0, 2^shift_, 2 * 2^shift_, ...
    int shift_ = 0;
    qsizetype count_ = 0;
};
