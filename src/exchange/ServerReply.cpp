#include "exchange/ServerReply.h"

#include <algorithm>

namespace {
bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

// A constant share of the index, so a reply of a few tiny lines still gets one entry a line.
constexpr size_t minimumIndexEntries = 4096;
// A mapped body is given back in steps this large, keeping this much behind the reading.
constexpr qint64 forgetStep = qint64(32) * 1024 * 1024;
constexpr qint64 keptBehind = qint64(4) * 1024 * 1024;
} // namespace

ServerReply::ServerReply(QByteArray body)
    : ServerReply(ReplyBytes(std::move(body)))
{}

ServerReply::ServerReply(ReplyBytes body)
    : body_(std::move(body))
{
    // Reserved but not yet written pages cost no memory, and the index never
    // grows past this, so it is never copied to a larger block either.
    const size_t halfBody = size_t(body_.size()) / (2 * sizeof(qint64));
    const size_t capacity = std::max(minimumIndexEntries, std::min(halfBody, size_t(maxIndexBytes) / sizeof(qint64)));
    starts_.reserve(capacity);
    const qint64 size = body_.size();
    for (qint64 start = 0; start < size; start = nextLineStart(start)) {
        if (isKept(count_)) {
            if (starts_.size() == capacity) {
                keepEverySecondStart();
            }
            if (isKept(count_)) {
                starts_.push_back(start);
                passed(start);
            }
        }
        ++count_;
    }
    passed(size);
}

void ServerReply::keepEverySecondStart()
{
    for (size_t i = 0; 2 * i < starts_.size(); ++i) {
        starts_[i] = starts_[2 * i];
    }
    starts_.resize((starts_.size() + 1) / 2);
    ++shift_;
}

void ServerReply::passed(qint64 start) const
{
    if (body_.isMapped() && start - forgotten_ >= forgetStep + keptBehind) {
        body_.forget(forgotten_, start - keptBehind);
        forgotten_ = start - keptBehind;
    }
}

qint64 ServerReply::nextLineStart(qint64 start) const
{
    const char *data = body_.data();
    const qint64 size = body_.size();
    const qint64 end = std::find_if(data + start, data + size, isBreak) - data;
    if (end == size) {
        return size;
    }
    return end + (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n' ? 2 : 1);
}

QByteArrayView ServerReply::lineView(qsizetype index) const
{
    if (index < 0 || index >= count_) {
        return {};
    }
    qsizetype line = index & ~keptMask();
    qint64 start = starts_[size_t(index >> shift_)];
    if (lastLine_ >= line && lastLine_ <= index) {
        line = lastLine_;
        start = lastStart_;
    }
    for (; line < index; ++line) {
        start = nextLineStart(start);
    }
    lastLine_ = index;
    lastStart_ = start;
    if (start < forgotten_) {
        // Read again from the top: give pages back from here on.
        forgotten_ = std::max<qint64>(0, start - keptBehind);
    }
    passed(start);
    const char *data = body_.data();
    const qint64 limit = std::min(body_.size(), start + maxLineLength);
    const qint64 end = std::find_if(data + start, data + limit, isBreak) - data;
    return QByteArrayView(data + start, end - start);
}
