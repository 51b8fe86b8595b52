#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// The lines of a server reply body. CR LF, a lone LF and a lone CR each end a
// line; one break at the very end adds no empty line, two leave one. The body
// is kept once and indexed by line ends, so a reply of millions of lines costs
// four bytes a line on top of the body and any line is found at once.
class ServerReply
{
public:
    static constexpr qsizetype maxLineLength = 4096;
    // Line ends are stored as 32-bit offsets.
    static constexpr qsizetype maxBodySize = 0xFFFFFFFF;

    ServerReply() = default;
    // Throws std::length_error for a body over maxBodySize.
    explicit ServerReply(QByteArray body);

    qsizetype count() const { return qsizetype(ends_.size()); }
    // At most maxLineLength bytes; empty past the last line.
    QByteArray line(qsizetype index) const { return lineView(index).toByteArray(); }
    // The same bytes without a copy; valid while this reply lives unchanged.
    QByteArrayView lineView(qsizetype index) const;
    const QByteArray &body() const { return body_; }

private:
    qsizetype breakLength(qsizetype at) const;

    QByteArray body_;
    std::vector<quint32> ends_;
};
