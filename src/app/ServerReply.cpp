#include "app/ServerReply.h"

#include <algorithm>
#include <stdexcept>

namespace {
bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}
} // namespace

ServerReply::ServerReply(QByteArray body)
    : body_(std::move(body))
{
    if (body_.size() > maxBodySize) {
        throw std::length_error("a server reply body may hold at most 4 GiB");
    }
    const char *data = body_.constData();
    const qsizetype size = body_.size();
    qsizetype pos = 0;
    while (pos < size) {
        const qsizetype end = std::find_if(data + pos, data + size, isBreak) - data;
        ends_.push_back(quint32(end));
        if (end == size) {
            break;
        }
        pos = end + breakLength(end);
    }
}

qsizetype ServerReply::breakLength(qsizetype at) const
{
    return body_.at(at) == '\r' && at + 1 < body_.size() && body_.at(at + 1) == '\n' ? 2 : 1;
}

QByteArrayView ServerReply::lineView(qsizetype index) const
{
    if (index < 0 || index >= count()) {
        return {};
    }
    qsizetype start = 0;
    if (index > 0) {
        const qsizetype previousEnd = ends_[size_t(index - 1)];
        start = previousEnd + breakLength(previousEnd);
    }
    const qsizetype length = std::min<qsizetype>(ends_[size_t(index)] - start, maxLineLength);
    return QByteArrayView(body_.constData() + start, length);
}
