#include "labelqueue/LabelCheck.h"

#include "components/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

// More than this for one row is worth a second look.
constexpr qint64 manyLabelsPerRow = 999;

// The end-user-defined areas 0x8140-0xA0FE, 0xC6A1-0xC8FE and 0xFA40-0xFEFE.
constexpr bool isUserDefined(uchar lead, uchar trail)
{
    return (lead >= 0x81 && lead <= 0xA0) || (lead == 0xC6 && trail >= 0xA1) || lead == 0xC7 || lead == 0xC8 ||
           lead >= 0xFA;
}

// What a byte of a value is to the scan, looked up once per byte.
enum class ByteKind : uchar { Plain, Comma, LineBreak, Control, Lead, UserDefinedLead };

constexpr std::array<ByteKind, 256> byteKinds = [] {
    std::array<ByteKind, 256> kinds{};
    kinds[','] = ByteKind::Comma;
    for (int control = 0; control < 0x20; ++control) {
        kinds[control] = ByteKind::Control;
    }
    kinds[0x7F] = ByteKind::Control;
    kinds['\r'] = ByteKind::LineBreak;
    kinds['\n'] = ByteKind::LineBreak;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        // A lead byte some trail makes user-defined (0xC6 with 0xA1 and up).
        kinds[lead] = isUserDefined(uchar(lead), 0xFE) ? ByteKind::UserDefinedLead : ByteKind::Lead;
    }
    return kinds;
}();

QString numberText(double value)
{
    return QString::fromLatin1(generalNumberText(value));
}

// What a value holds that the label program would trip on, found in one walk
// over its Big5 characters.
struct ValueScan {
    bool comma = false;
    bool lineBreak = false;
    int control = -1;           // the first control byte (NUL, ESC, BEL...)
    int userDefined = -1;       // the first user-defined character's code
    bool cutInsideChar = false; // a cut at the limit falls between a lead and a trail byte
};

ValueScan scan(QByteArrayView value, qsizetype limit)
{
    ValueScan found;
    const auto *bytes = reinterpret_cast<const uchar *>(value.data());
    const qsizetype size = value.size();
    for (qsizetype at = 0; at < size; ++at) {
        const ByteKind kind = byteKinds[bytes[at]];
        if (kind == ByteKind::Plain) {
            continue;
        }
        if (kind == ByteKind::Comma || kind == ByteKind::LineBreak) {
            found.comma = found.comma || kind == ByteKind::Comma;
            found.lineBreak = found.lineBreak || kind == ByteKind::LineBreak;
            continue;
        }
        if (kind == ByteKind::Control) {
            found.control = found.control < 0 ? bytes[at] : found.control;
            continue;
        }
        if (at + 1 >= size) {
            break;
        }
        // No trail byte is a control byte: such a byte ends the character early.
        if (byteKinds[bytes[at + 1]] == ByteKind::Control) {
            continue;
        }
        if (kind == ByteKind::UserDefinedLead && found.userDefined < 0 && isUserDefined(bytes[at], bytes[at + 1])) {
            found.userDefined = bytes[at] << 8 | bytes[at + 1];
        }
        if (at + 1 == limit) {
            found.cutInsideChar = true;
        }
        ++at;
    }
    return found;
}

QString controlByteMessage(int byte)
{
    return QStringLiteral("含控制字元 0x%1，標籤程式的這一行會在這裡斷開或結束")
        .arg(QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
}

} // namespace

bool LabelCheckReport::hasErrors() const
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const LabelFinding &finding) { return finding.kind == LabelFinding::Kind::Error; });
}

QString LabelCheckReport::outputRefusal() const
{
    for (const LabelFinding &finding : findings) {
        if (finding.stopsOutput) {
            return finding.row > 0 ? QStringLiteral("第 %1 筆的%2").arg(finding.row).arg(finding.message)
                                   : finding.message;
        }
    }
    return {};
}

QString LabelCheckReport::totalsText() const
{
    return QStringLiteral("共 %1 筆，轉出 %2 行，印 %3 張標籤").arg(totals.rows).arg(totals.lines).arg(totals.labels);
}

std::vector<const LabelFinding *> LabelCheckReport::findingsOf(int row) const
{
    // Errors come first and each kind keeps the row order, so a row's findings
    // are one run in each half: found by halving, not by walking them all.
    const auto errorsEnd = std::partition_point(findings.begin(), findings.end(), [](const LabelFinding &finding) {
        return finding.kind == LabelFinding::Kind::Error;
    });
    const auto byRow = [](const LabelFinding &finding, int wanted) { return finding.row < wanted; };
    std::vector<const LabelFinding *> found;
    for (const auto &[begin, end] : {std::pair(findings.begin(), errorsEnd), std::pair(errorsEnd, findings.end())}) {
        for (auto at = std::lower_bound(begin, end, row, byRow); at != end && at->row == row; ++at) {
            found.push_back(&*at);
        }
    }
    return found;
}

bool looksLikeEanOrUpc(QByteArrayView barcode)
{
    const qsizetype size = barcode.size();
    if (size != 8 && size != 12 && size != 13) {
        return false;
    }
    return std::all_of(barcode.begin(), barcode.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool hasRightCheckDigit(QByteArrayView digits)
{
    if (!looksLikeEanOrUpc(digits)) {
        return false;
    }
    // From the digit next to the check digit leftwards, weights 3, 1, 3, ...
    int sum = 0;
    int weight = 3;
    for (qsizetype at = digits.size() - 2; at >= 0; --at) {
        sum += (digits[at] - '0') * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10 == digits.back() - '0';
}

LabelChecker::LabelChecker(LabelTextRules::Layout layout, bool oneLinePerLabel, int rowCount)
    : layout_(layout)
    , oneLinePerLabel_(oneLinePerLabel)
{
    report_.totals.rows = rowCount;
    report_.lineStarts.reserve(size_t(rowCount) + 1);
    report_.lineStarts.push_back(0);
}

void LabelChecker::add(int row, QByteArrayView entry, LabelFinding::Kind kind, const QString &message, bool stopsOutput)
{
    report_.findings.push_back({row, entry.toByteArray(), kind, message, stopsOutput});
}

void LabelChecker::checkCustomText(QByteArrayView entry)
{
    using Kind = LabelFinding::Kind;
    const QByteArrayView text = entry.sliced(entry.startsWith('#') ? 1 : 0);
    const qsizetype limit = LabelTextRules::customTextLimit;
    const ValueScan found = scan(text, text.size() > limit ? limit : -1);
    if (found.comma && layout_ == LabelTextRules::Layout::Comma) {
        add(0, entry, Kind::Error, QStringLiteral("自訂文字含逗點，標籤程式會在這裡多分一欄，後面每一欄都會錯位"));
    }
    if (found.cutInsideChar) {
        add(0, entry, Kind::Error,
            QStringLiteral("自訂文字只轉出前 %1 位元組，切在中文字的中間，會印出亂碼").arg(limit));
    } else if (text.size() > limit) {
        add(0, entry, Kind::Warning,
            QStringLiteral("自訂文字長 %1 位元組，只轉出前 %2 位元組").arg(text.size()).arg(limit));
    }
    if (found.control >= 0) {
        add(0, entry, Kind::Error, QStringLiteral("自訂文字") + controlByteMessage(found.control));
    }
    if (found.userDefined >= 0) {
        add(0, entry, Kind::Warning,
            QStringLiteral("自訂文字含造字 (Big5 %1)，標籤程式的字型可能沒有這個字")
                .arg(QString::number(found.userDefined, 16).toUpper()));
    }
}

void LabelChecker::unknownEntry(QByteArrayView entry)
{
    add(0, entry, LabelFinding::Kind::Warning, QStringLiteral("不認得這個欄位，轉出時略過"));
}

void LabelChecker::noColumns()
{
    add(0, {}, LabelFinding::Kind::Error, QStringLiteral("沒有設定輸出欄位：每行只有張數，標籤上沒有資料"));
}

qint64 LabelChecker::beginRow(int row, QByteArrayView keyField, QByteArrayView key, QByteArrayView quantityField,
                              std::optional<double> quantity)
{
    row_ = row;
    qint64 lines = 0;
    const QString refusal = LabelTextRules::countRefusal(quantity);
    if (key.isEmpty()) {
        add(row, keyField, LabelFinding::Kind::Warning, QStringLiteral("沒有條碼，這一筆不會轉出"));
    } else if (!refusal.isEmpty()) {
        // Counted as no line, so the totals and the cards stay within reason.
        add(row, quantityField, LabelFinding::Kind::Error, refusal, true);
    } else {
        lines = LabelTextRules::labelCount(quantity, oneLinePerLabel_);
        checkBarcode(keyField, key);
        checkCount(quantityField, quantity, lines);
        report_.totals.lines += lines;
        report_.totals.labels += oneLinePerLabel_ ? lines : LabelTextRules::labelCount(quantity, true);
    }
    report_.lineStarts.push_back(report_.lineStarts.back() + lines);
    return lines;
}

void LabelChecker::unreadableRow(int row, const QString &reason)
{
    add(row, QByteArrayView(), LabelFinding::Kind::Error, QStringLiteral("這一筆讀不出來: %1").arg(reason));
    report_.lineStarts.push_back(report_.lineStarts.back());
}

void LabelChecker::checkBarcode(QByteArrayView field, QByteArrayView barcode)
{
    if (looksLikeEanOrUpc(barcode) && !hasRightCheckDigit(barcode)) {
        static const char *const names[] = {"EAN-8", "UPC-A", "EAN-13"};
        const char *name = names[barcode.size() == 8 ? 0 : barcode.size() == 12 ? 1 : 2];
        add(row_, field, LabelFinding::Kind::Error,
            QStringLiteral("條碼 %1 的檢查碼不對 (%2)，掃描器讀不出來或讀成別的商品")
                .arg(QString::fromLatin1(barcode.toByteArray()), QLatin1String(name)));
    }
}

void LabelChecker::checkCount(QByteArrayView field, std::optional<double> quantity, qint64 lines)
{
    using Kind = LabelFinding::Kind;
    const QString skipped = oneLinePerLabel_ ? QStringLiteral("，這一筆不會轉出") : QString();
    if (!quantity || !std::isfinite(*quantity)) {
        add(row_, field, Kind::Warning, QStringLiteral("張數是空的") + skipped);
        return;
    }
    const double count = *quantity;
    if (count < 0) {
        add(row_, field, Kind::Error, QStringLiteral("張數是負數 (%1)").arg(numberText(count)) + skipped);
        return;
    }
    if (count == 0) {
        add(row_, field, Kind::Warning, QStringLiteral("張數是 0") + skipped);
        return;
    }
    if (count != std::floor(count)) {
        add(row_, field, Kind::Warning,
            oneLinePerLabel_
                ? QStringLiteral("張數 %1 不是整數，每行一張時會印 %2 張").arg(numberText(count)).arg(lines)
                : QStringLiteral("張數 %1 不是整數，標籤程式拿到的就是 %1").arg(numberText(count)));
    }
    if (LabelTextRules::labelCount(quantity, true) > manyLabelsPerRow) {
        add(row_, field, Kind::Warning,
            QStringLiteral("張數 %1 超過 %2 張").arg(numberText(count)).arg(manyLabelsPerRow));
    }
}

void LabelChecker::checkValue(QByteArrayView entry, QByteArrayView value, int width)
{
    using Kind = LabelFinding::Kind;
    const bool fixed = layout_ == LabelTextRules::Layout::FixedWidth;
    const bool cut = fixed && value.size() > width;
    const ValueScan found = scan(value, cut ? width : -1);
    if (found.comma && !fixed) {
        add(row_, entry, Kind::Error, QStringLiteral("內容含逗點，標籤程式會在這裡多分一欄，後面每一欄都會錯位"));
    }
    if (found.cutInsideChar) {
        add(row_, entry, Kind::Error, QStringLiteral("欄寬 %1 位元組切在中文字的中間，會印出亂碼").arg(width));
    } else if (cut) {
        add(row_, entry, Kind::Warning,
            QStringLiteral("內容長 %1 位元組，超過欄寬 %2，後面會被切掉").arg(value.size()).arg(width));
    }
    if (found.lineBreak) {
        add(row_, entry, Kind::Warning, QStringLiteral("內容含換行，轉出時換成空白"));
    }
    if (found.control >= 0) {
        add(row_, entry, Kind::Error, QStringLiteral("內容") + controlByteMessage(found.control));
    }
    if (found.userDefined >= 0) {
        add(row_, entry, Kind::Warning,
            QStringLiteral("含造字 (Big5 %1)，標籤程式的字型可能沒有這個字")
                .arg(QString::number(found.userDefined, 16).toUpper()));
    }
}

LabelCheckReport LabelChecker::finish()
{
    const QString tooManyLines = LabelTextRules::lineTotalRefusal(report_.totals.lines);
    if (!tooManyLines.isEmpty()) {
        add(0, QByteArrayView(), LabelFinding::Kind::Error, tooManyLines, true);
    }
    std::stable_partition(report_.findings.begin(), report_.findings.end(),
                          [](const LabelFinding &finding) { return finding.kind == LabelFinding::Kind::Error; });
    return std::move(report_);
}
