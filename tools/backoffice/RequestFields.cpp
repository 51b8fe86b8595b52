#include "RequestFields.h"

#include "Refusal.h"
#include "components/Big5.h"

namespace {

// The client ends its body with CR LF that Content-Length may or may not count.
std::string_view withoutLineEnd(std::string_view body)
{
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) {
        body.remove_suffix(1);
    }
    return body;
}

const char *const kBlanks = " \t";

} // namespace

RequestFields RequestFields::parse(const std::string &body)
{
    RequestFields fields;
    std::string_view rest = withoutLineEnd(body);
    if (rest.empty()) {
        throw Refusal(QStringLiteral("要求格式錯誤 : 沒有內容"));
    }
    while (true) {
        const size_t amp = rest.find('&');
        const std::string_view piece = rest.substr(0, amp);
        if (!piece.empty()) {
            const size_t eq = piece.find('=');
            if (eq == std::string_view::npos || eq == 0 || piece.find_first_of("\r\n") != std::string_view::npos) {
                throw Refusal(QStringLiteral("要求格式錯誤 : 每一項須為 鍵=值"));
            }
            const std::string key(piece.substr(0, eq));
            const std::string_view value = piece.substr(eq + 1);
            // The first occurrence wins: a later copy cannot widen a condition.
            fields.values_.emplace(key, Big5::decode(value.data(), qsizetype(value.size())).toStdString());
        }
        if (amp == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(amp + 1);
    }
    return fields;
}

std::string RequestFields::raw(const std::string &key) const
{
    const auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second;
}

std::string RequestFields::trimmed(const std::string &key) const
{
    const std::string value = raw(key);
    const size_t first = value.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        return {};
    }
    const size_t last = value.find_last_not_of(kBlanks);
    return value.substr(first, last - first + 1);
}
