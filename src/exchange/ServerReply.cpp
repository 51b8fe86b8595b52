#include "exchange/ServerReply.h"

#include <algorithm>
#include <stdexcept>

namespace {
bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

// A constant share of the index, so a reply of a few tiny lines still gets one entry a line.
constexpr size_t minimumIndexEntries = 4096;
} // namespace

ServerReply::ServerReply(QByteArray body)
    : body_(std::move(body))
{
    if (body_.size() > maxBodySize) {
        throw std::length_error("a server reply body may hold at most 4 GiB");
    }
    // Reserved but not yet written pages cost no memory, and the index never
    // grows past this, so it is never copied to a larger block either.
    const size_t capacity = std::max(minimumIndexEntries, size_t(body_.size()) / (2 * sizeof(quint32)));
    starts_.reserve(capacity);
    const qsizetype size = body_.size();
    for (qsizetype start = 0; start < size; start = nextLineStart(start)) {
        if (isKept(count_) && starts_.size() == capacity) {
            keepEverySecondStart();
        }
        if (isKept(count_)) {
            starts_.push_back(quint32(start));
        }
        ++count_;
    }
}

void ServerReply::keepEverySecondStart()
{
    for (size_t i = 0; 2 * i < starts_.size(); ++i) {
        starts_[i] = starts_[2 * i];
    }
    starts_.resize((starts_.size() + 1) / 2);
    ++shift_;
}

qsizetype ServerReply::nextLineStart(qsizetype start) const
{
    const char *data = body_.constData();
    const qsizetype size = body_.size();
    const qsizetype end = std::find_if(data + start, data + size, isBreak) - data;
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
    qsizetype start = starts_[size_t(index >> shift_)];
    for (qsizetype skip = index & keptMask(); skip > 0; --skip) {
        start = nextLineStart(start);
    }
    const char *data = body_.constData();
    const qsizetype limit = std::min(body_.size(), start + maxLineLength);
    const qsizetype end = std::find_if(data + start, data + limit, isBreak) - data;
    return QByteArrayView(data + start, end - start);
}
