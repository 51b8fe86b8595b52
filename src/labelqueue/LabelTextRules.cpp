#include "labelqueue/LabelTextRules.h"

#include "components/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

// A line break inside a value would split the label's line in two, and the
// label program would print two wrong labels; each break byte becomes a blank,
// so fixed-width columns keep their width.
void appendOnOneLine(QByteArray &line, QByteArrayView value)
{
    const qsizetype start = line.size();
    line.append(value);
    char *appended = line.data() + start;
    std::replace_if(
        appended, appended + value.size(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
}

} // namespace

namespace LabelTextRules {

void appendValue(QByteArray &line, QByteArrayView value, int width, Layout layout)
{
    if (layout == Layout::Comma) {
        appendOnOneLine(line, value);
        line.append(',');
        return;
    }
    const qsizetype mag = width < 0 ? 0 : width;
    if (value.size() >= mag) {
        appendOnOneLine(line, value.first(mag));
    } else {
        appendOnOneLine(line, value);
        line.append(mag - value.size(), ' ');
    }
}

void appendCustomText(QByteArray &line, QByteArrayView entry, Layout layout)
{
    const QByteArrayView text = entry.sliced(entry.startsWith('#') ? 1 : 0);
    appendOnOneLine(line, text.first(std::min(text.size(), customTextLimit)));
    if (layout == Layout::Comma) {
        line.append(',');
    }
}

qint64 labelCount(std::optional<double> quantity, bool oneLinePerLabel)
{
    if (!oneLinePerLabel) {
        return 1;
    }
    if (!quantity || !std::isfinite(*quantity)) {
        return 0;
    }
    // nearbyint rounds half to even in the default rounding mode, which is
    // the one the program runs in.
    const double rounded = std::nearbyint(*quantity);
    if (rounded <= 0) {
        return 0;
    }
    constexpr double largest = 9.0e18;
    return rounded >= largest ? qint64(largest) : qint64(rounded);
}

QString countRefusal(std::optional<double> quantity)
{
    if (labelCount(quantity, true) <= mostLabelsPerRow) {
        return {};
    }
    return QStringLiteral("張數 %1 超過一筆最多 %2 張，不能轉出")
        .arg(QString::fromLatin1(generalNumberText(*quantity)))
        .arg(mostLabelsPerRow);
}

QString lineTotalRefusal(qint64 lines)
{
    if (lines <= mostLinesPerExport) {
        return {};
    }
    return QStringLiteral("一次轉出最多 %1 行，這次要轉出 %2 行以上，不能轉出").arg(mostLinesPerExport).arg(lines);
}

QByteArray quantityText(std::optional<double> quantity, bool oneLinePerLabel)
{
    if (oneLinePerLabel) {
        return QByteArrayLiteral("1");
    }
    return quantity ? generalNumberText(*quantity) : QByteArray();
}

} // namespace LabelTextRules
