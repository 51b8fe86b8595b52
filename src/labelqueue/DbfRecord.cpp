#include "labelqueue/DbfRecord.h"

#include "components/Big5.h"
#include "components/DecimalText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

QString fieldText(const QByteArray &name)
{
    return QString::fromLatin1(name);
}

QString numberForMessage(double value)
{
    return QString::number(value, 'g', 15);
}

// Whether the digits a field with fewer decimals than the program's got
// for value are the value the program's own field would keep.
bool keptExactly(double value, const DbfColumn &column, const char *digits, int length)
{
    char wanted[256];
    const int wantedLength = DecimalText::roundedFixed(value, column.wantedDecimals, wanted, int(sizeof wanted));
    return wantedLength > 0 &&
           QByteArrayView(digits, length).toDouble() == QByteArrayView(wanted, wantedLength).toDouble();
}

bool typeMatches(DbfFieldType type, char fileType)
{
    return type == DbfFieldType::Text ? fileType == 'C' : (fileType == 'N' || fileType == 'F');
}

} // namespace

bool DbfColumn::operator==(const DbfColumn &other) const
{
    return name == other.name && type == other.type && offset == other.offset && width == other.width &&
           decimals == other.decimals && wantedDecimals == other.wantedDecimals;
}

bool DbfLayout::operator==(const DbfLayout &other) const
{
    return recordLength == other.recordLength && columns == other.columns;
}

DbfResult<std::shared_ptr<const DbfLayout>>
DbfLayout::resolve(const DbfHeader &header, const QList<DbfFieldSpec> &fields, const QString &displayName)
{
    using Result = DbfResult<std::shared_ptr<const DbfLayout>>;
    auto layout = std::make_shared<DbfLayout>();
    layout->displayName = displayName;
    layout->recordLength = header.recordLength;
    QStringList missing;
    for (const DbfFieldSpec &wanted : fields) {
        DbfColumn column;
        column.name = wanted.name;
        column.type = wanted.type;
        const DbfFileField *found = nullptr;
        for (const DbfFileField &field : header.fields) {
            if (qstricmp(field.name.constData(), wanted.name.constData()) != 0) {
                continue;
            }
            if (found) {
                return Result::failure(
                    QStringLiteral("「%1」有兩個名為 %2 的欄位。").arg(displayName, fieldText(wanted.name)));
            }
            found = &field;
        }
        if (!found) {
            if (wanted.required) {
                missing.append(fieldText(wanted.name));
            }
            layout->columns.append(column);
            continue;
        }
        if (!typeMatches(wanted.type, found->type)) {
            return Result::failure(
                QStringLiteral("「%1」的欄位 %2 應是%3欄位，檔案中卻是 %4 型態。")
                    .arg(displayName, fieldText(wanted.name),
                         wanted.type == DbfFieldType::Text ? QStringLiteral("文字") : QStringLiteral("數值"),
                         QString(QLatin1Char(found->type))));
        }
        if (wanted.type == DbfFieldType::Numeric && found->decimals > 0 && found->decimals > found->width - 2) {
            return Result::failure(QStringLiteral("「%1」已損壞：欄位 %2 寬 %3 位，卻有 %4 位小數。")
                                       .arg(displayName, fieldText(wanted.name))
                                       .arg(found->width)
                                       .arg(found->decimals));
        }
        // A narrower text field would cut every longer value without a word.
        if (wanted.type == DbfFieldType::Text && wanted.required && found->width < wanted.width) {
            return Result::failure(QStringLiteral("「%1」：欄位 %2 的寬度是 %3，需要 %4。")
                                       .arg(displayName, fieldText(wanted.name))
                                       .arg(found->width)
                                       .arg(wanted.width));
        }
        column.offset = found->offset;
        column.width = found->width;
        column.decimals = wanted.type == DbfFieldType::Numeric ? found->decimals : 0;
        column.wantedDecimals = wanted.type == DbfFieldType::Numeric ? wanted.decimals : 0;
        layout->columns.append(column);
    }
    if (!missing.isEmpty()) {
        return Result::failure(
            QStringLiteral("「%1」缺少欄位 %2。").arg(displayName, missing.join(QStringLiteral("、"))));
    }
    return Result(std::shared_ptr<const DbfLayout>(std::move(layout)));
}

qsizetype big5PrefixLength(const QByteArray &big5, qsizetype limit)
{
    qsizetype length = 0;
    while (length < big5.size()) {
        const uchar lead = uchar(big5.at(length));
        const qsizetype step = (lead >= 0x81 && lead <= 0xFE && length + 1 < big5.size()) ? 2 : 1;
        if (length + step > limit) {
            break;
        }
        length += step;
    }
    return length;
}

DbfRecord::DbfRecord(std::shared_ptr<const DbfLayout> layout, QByteArray bytes)
    : layout_(std::move(layout))
    , bytes_(std::move(bytes))
{}

DbfRecord DbfRecord::blank(std::shared_ptr<const DbfLayout> layout)
{
    const int length = layout ? layout->recordLength : 0;
    return DbfRecord(std::move(layout), QByteArray(length, ' '));
}

int DbfRecord::fieldWidth(int field) const
{
    if (!layout_ || field < 0 || field >= layout_->columns.size()) {
        return 0;
    }
    return layout_->columns.at(field).width;
}

DbfResult<const DbfColumn *> DbfRecord::column(int field, DbfFieldType type) const
{
    using Result = DbfResult<const DbfColumn *>;
    if (!layout_) {
        return Result::failure(QStringLiteral("表格沒有開啟。"));
    }
    if (field < 0 || field >= layout_->columns.size()) {
        return Result::failure(QStringLiteral("「%1」沒有第 %2 個欄位。").arg(layout_->displayName).arg(field));
    }
    const DbfColumn &column = layout_->columns.at(field);
    if (column.type != type) {
        return Result::failure(QStringLiteral("「%1」的欄位 %2 不是%3欄位。")
                                   .arg(layout_->displayName, fieldText(column.name),
                                        type == DbfFieldType::Text ? QStringLiteral("文字") : QStringLiteral("數值")));
    }
    if (!column.present()) {
        return Result::failure(QStringLiteral("「%1」沒有欄位 %2。").arg(layout_->displayName, fieldText(column.name)));
    }
    return Result(&column);
}

QByteArray DbfRecord::text(int field) const
{
    const auto found = column(field, DbfFieldType::Text);
    if (!found.ok()) {
        return {};
    }
    const DbfColumn &c = *found.value();
    qsizetype end = c.width;
    const char *data = bytes_.constData() + c.offset;
    while (end > 0 && (data[end - 1] == ' ' || data[end - 1] == '\0')) {
        --end;
    }
    return QByteArray(data, end);
}

std::optional<double> DbfRecord::number(int field) const
{
    const auto found = column(field, DbfFieldType::Numeric);
    if (!found.ok()) {
        return std::nullopt;
    }
    const DbfColumn &c = *found.value();
    QByteArray digits = bytes_.mid(c.offset, c.width);
    digits.replace('\0', ' ');
    digits = digits.trimmed();
    if (digits.isEmpty() || digits.startsWith('*')) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

DbfStatus DbfRecord::setText(int field, const QByteArray &big5)
{
    const auto found = column(field, DbfFieldType::Text);
    if (!found.ok()) {
        return found.status();
    }
    const DbfColumn &c = *found.value();
    const qsizetype kept = big5PrefixLength(big5, c.width);
    char *data = bytes_.data() + c.offset;
    std::copy_n(big5.constData(), kept, data);
    std::fill(data + kept, data + c.width, ' ');
    return DbfStatus::success();
}

DbfStatus DbfRecord::setNumber(int field, std::optional<double> value)
{
    const auto found = column(field, DbfFieldType::Numeric);
    if (!found.ok()) {
        return found.status();
    }
    const DbfColumn &c = *found.value();
    char *data = bytes_.data() + c.offset;
    if (!value) {
        std::fill(data, data + c.width, ' ');
        return DbfStatus::success();
    }
    if (!std::isfinite(*value)) {
        return DbfStatus::failure(QStringLiteral("欄位 %1 只能存有限的數值。").arg(fieldText(c.name)));
    }
    // As dBase stores a number: rounded to the field's decimals (halves away
    // from zero, on the number's decimal text), an error only when the whole
    // part does not fit. Imports set hundreds of thousands of numbers, so the
    // digits are written straight into a buffer.
    char buffer[256];
    const int length = DecimalText::roundedFixed(*value, c.decimals, buffer, std::min(c.width, int(sizeof buffer)));
    if (length == 0) {
        return DbfStatus::failure(QStringLiteral("數值 %1 超出欄位 %2 的寬度（%3 位，含 %4 位小數）。")
                                      .arg(numberForMessage(*value), fieldText(c.name))
                                      .arg(c.width)
                                      .arg(c.decimals));
    }
    if (c.decimals < c.wantedDecimals && !keptExactly(*value, c, buffer, length)) {
        return DbfStatus::failure(QStringLiteral("數值 %1 無法完整存入欄位 %2（%3 位，只有 %4 位小數）。")
                                      .arg(numberForMessage(*value), fieldText(c.name))
                                      .arg(c.width)
                                      .arg(c.decimals));
    }
    const QByteArrayView digits(buffer, length);
    std::fill(data, data + c.width - digits.size(), ' ');
    std::copy_n(digits.constData(), digits.size(), data + c.width - digits.size());
    return DbfStatus::success();
}

DbfStatus DbfRecord::setNumberText(int field, const QByteArray &text)
{
    const QByteArray trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return setNumber(field, std::nullopt);
    }
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        const QString name = layout_ && field >= 0 && field < layout_->columns.size()
                                 ? fieldText(layout_->columns.at(field).name)
                                 : QString();
        return DbfStatus::failure(QStringLiteral("「%1」不是數字（欄位 %2）。").arg(Big5::decode(trimmed), name));
    }
    return setNumber(field, value);
}
