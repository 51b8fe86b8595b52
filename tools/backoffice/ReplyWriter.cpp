#include "ReplyWriter.h"

#include "Refusal.h"
#include "components/Big5.h"

#include <QList>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kCacheLimit = 200000;

bool isPlainAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

QString codePoint(const QString &character)
{
    const char32_t code = QStringView(character).toUcs4().value(0);
    return QStringLiteral("U+") + QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

ReplyWriter::ReplyWriter()
{
    buffer_.reserve(1 << 16);
    appendLine("DataOk");
}

void ReplyWriter::value(std::string_view utf8)
{
    appendLine(isPlainAscii(utf8) ? utf8 : toBig5(utf8));
}

void ReplyWriter::number(double value)
{
    char text[40];
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        // Whole numbers are nearly every price and quantity: skip printf's float path.
        const auto end = std::to_chars(text, text + sizeof text, static_cast<long long>(value)).ptr;
        *end = '\0';
    } else {
        std::snprintf(text, sizeof text, "%.4f", value);
        std::string_view digits(text);
        while (digits.back() == '0') {
            digits.remove_suffix(1);
        }
        if (digits.back() == '.') {
            digits.remove_suffix(1);
        }
        text[digits.size()] = '\0';
    }
    appendLine(text);
}

void ReplyWriter::endRecord()
{
    buffer_.append(kSeparator).append(kLineEnd);
    ++records_;
}

std::string ReplyWriter::finish()
{
    if (records_ == 0) {
        return std::string("NoData").append(kLineEnd);
    }
    buffer_.append("EOT").append(kLineEnd);
    return std::move(buffer_);
}

std::string ReplyWriter::refusal(const QString &text)
{
    // The text may quote what the client sent; a character Big5 lacks (a byte
    // the client garbled) is shown as "?" so the refusal itself still goes out.
    QString shown = text;
    Big5::Encoding encoded = Big5::encode(shown);
    while (!encoded.ok()) {
        shown.replace(encoded.badIndex, encoded.badCharacter.size(), QLatin1Char('?'));
        encoded = Big5::encode(shown);
    }
    return encoded.bytes.toStdString().append(kLineEnd);
}

void ReplyWriter::appendLine(std::string_view big5)
{
    const size_t start = buffer_.size();
    buffer_.append(big5);
    // A value must stay one line, and must not read as the end of a record or reply.
    // Big5 trail bytes never fall on CR or LF, so replacing them is safe.
    for (size_t i = start; i < buffer_.size(); ++i) {
        if (buffer_[i] == '\r' || buffer_[i] == '\n') {
            buffer_[i] = ' ';
        }
    }
    const std::string_view line(buffer_.data() + start, buffer_.size() - start);
    if (line == "EOT" || line == kSeparator) {
        buffer_.push_back(' ');
    }
    buffer_.append(kLineEnd);
}

std::string_view ReplyWriter::toBig5(std::string_view utf8)
{
    key_.assign(utf8);
    const auto found = cache_.find(key_);
    if (found != cache_.end()) {
        return found->second;
    }
    const Big5::Encoding encoded = Big5::encode(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    if (!encoded.ok()) {
        throw Refusal(QStringLiteral("資料含 Big5 無法表示的字元 ") + codePoint(encoded.badCharacter) +
                      QStringLiteral(" : ") + QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    }
    if (cache_.size() >= kCacheLimit) {
        cache_.clear();
    }
    return cache_.emplace(key_, encoded.bytes.toStdString()).first->second;
}
