#include "components/FloatText.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace FloatText {
namespace {

struct Decimal {
    bool negative = false;
    QString integer;
    QString fraction; // exactly decNum digits
};

void increment(QString &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = u'0';
    }
    digits.prepend(u'1');
}

// Works on the shortest decimal form of x, the digits a person would write for
// it, so a binary neighbour such as 2.67499999... never decides the cut.
Decimal toDecimal(double x, int decNum, CutMode mode)
{
    const QString shortest = QString::number(std::fabs(x), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = shortest.indexOf(u'.');
    const QString integer = point < 0 ? shortest : shortest.left(point);
    const QString fraction = point < 0 ? QString() : shortest.mid(point + 1);
    const QString dropped = fraction.mid(decNum);

    bool awayFromZero = false;
    switch (mode) {
    case CutMode::Rounding:
        awayFromZero = !dropped.isEmpty() && dropped[0] >= u'5';
        break;
    case CutMode::Getting:
        awayFromZero = dropped.count(u'0') != dropped.size();
        break;
    case CutMode::Cutting:
        break;
    }
    QString digits = integer + fraction.left(decNum).leftJustified(decNum, u'0');
    if (awayFromZero) {
        increment(digits);
    }

    Decimal result;
    result.integer = digits.left(digits.size() - decNum);
    result.fraction = digits.right(decNum);
    result.negative = x < 0 && digits.count(u'0') != digits.size();
    return result;
}

QString signedInteger(const Decimal &d, bool thousands)
{
    QString integer = d.integer;
    if (thousands) {
        for (qsizetype at = integer.size() - 3; at > 0; at -= 3) {
            integer.insert(at, u',');
        }
    }
    return d.negative ? u'-' + integer : integer;
}

} // namespace

double cut(double x, int decNum, CutMode mode)
{
    const Decimal d = toDecimal(x, decNum, mode);
    const QString text = signedInteger(d, false) + u'.' + d.fraction;
    return text.toDouble();
}

QString fixed(double x, int decNum)
{
    const Decimal d = toDecimal(x, decNum, CutMode::Rounding);
    const QString integer = signedInteger(d, false);
    return decNum > 0 ? integer + u'.' + d.fraction : integer;
}

QString grouped(double x, int intNum, int decNum)
{
    const Decimal d = toDecimal(x, decNum, CutMode::Rounding);
    const QString integer = signedInteger(d, true);
    const QString text = decNum > 0 ? integer + u'.' + d.fraction : integer;
    const int width = intNum + decNum + (decNum > 0 ? 1 : 0) + (intNum > 3 ? (intNum - 1) / 3 : 0);
    return text.size() <= width ? text.rightJustified(width + 1, u' ') : text;
}

QString plain(double x, int intNum, int decNum)
{
    const Decimal d = toDecimal(x, decNum, CutMode::Rounding);
    QString integer = signedInteger(d, false);
    if (integer.size() > intNum) {
        integer = QString(intNum, u'*');
    }
    integer = integer.rightJustified(intNum + 1, u' ');
    return decNum > 0 ? integer + u'.' + d.fraction : integer;
}

QString editing(const QString &text, int intNum, int decNum)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] <= u' ') {
        ++start;
    }
    QString s = text.mid(start);
    s.remove(u',');
    s.remove(u' ');
    if (!s.contains(u'.')) {
        s = s.left(intNum) + u'.' + s.mid(intNum, decNum);
    }
    const qsizetype point = s.indexOf(u'.');
    const QString integer = s.left(point).leftJustified(intNum, u' ');
    const QString fraction = s.mid(point + 1, decNum).leftJustified(decNum, u'0');
    return decNum > 0 ? integer + u'.' + fraction : integer;
}

double parse(const QString &text)
{
    QString s = text;
    s.remove(u',');
    const qsizetype point = s.indexOf(u'.');
    QString integer;
    QString decimals;
    if (point >= 0) {
        integer = s.left(point).trimmed();
        decimals = s.mid(point + 1, 10).trimmed();
    } else {
        integer = s.trimmed();
        decimals = QStringLiteral("0");
    }
    const QString number = integer + u'.' + decimals;
    static const QRegularExpression pattern(QStringLiteral("^-?([0-9]+\\.[0-9]*|\\.[0-9]+)$"));
    if (!pattern.match(number).hasMatch()) {
        return 0.0;
    }
    const double value = number.toDouble();
    // No "-0", and a run of digits too long for a double reads as no number.
    return std::isfinite(value) && value != 0.0 ? value : 0.0;
}

} // namespace FloatText
