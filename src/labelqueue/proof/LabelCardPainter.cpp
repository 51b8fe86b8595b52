#include "labelqueue/proof/LabelCardPainter.h"

#include "components/Big5.h"
#include "components/widgets/Fonts.h"
#include "labelqueue/proof/LabelBarcode.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr double cardWidth = 280;
constexpr double margin = 6;
constexpr double headerHeight = 16;
constexpr double columnHeight = 14;
constexpr double barcodeHeight = 56;
constexpr double findingsHeight = 30;
constexpr double captionWidth = 92;

QString captionOf(const QByteArray &entry)
{
    return entry.startsWith('#') ? QStringLiteral("自訂文字") : Big5::decode(entry);
}

// The fonts of the columns, made once: a sheet draws them a hundred thousand times.
const QFont &captionFont()
{
    static const QFont font = Fonts::ming(10);
    return font;
}

const QFont &valueFont()
{
    static const QFont font = Fonts::ming(12);
    return font;
}

// A value is shown whole: a long one gets a smaller font rather than an
// ellipsis. One line needs no layout: it is drawn at its baseline.
void drawFitted(QPainter &painter, const QRectF &box, const QString &text, const QFont &font)
{
    painter.setFont(font);
    const double width = painter.fontMetrics().horizontalAdvance(text);
    if (width > box.width() && width > 0) {
        QFont smaller = font;
        smaller.setPixelSize(std::max(5, int(font.pixelSize() * box.width() / width)));
        painter.setFont(smaller);
    }
    const QFontMetricsF metrics = painter.fontMetrics();
    const double baseline = box.top() + (box.height() - metrics.ascent() - metrics.descent()) / 2 + metrics.ascent();
    painter.drawText(QPointF(box.left(), baseline), text);
}

} // namespace

QColor findingColour(LabelFinding::Kind kind)
{
    return kind == LabelFinding::Kind::Error ? QColor(204, 0, 0) : QColor(214, 130, 0);
}

QSizeF labelCardSize(int columnCount)
{
    return {cardWidth,
            margin * 2 + headerHeight + columnHeight * std::max(columnCount, 0) + 4 + barcodeHeight + findingsHeight};
}

void paintLabelCard(QPainter &painter, const QRectF &rect, const LabelCard &card, qint64 line,
                    const std::vector<const LabelFinding *> &findings)
{
    const QSizeF size = labelCardSize(int(card.columns.size()));
    const bool error = std::any_of(findings.begin(), findings.end(),
                                   [](const LabelFinding *f) { return f->kind == LabelFinding::Kind::Error; });
    const QColor mark = findingColour(error ? LabelFinding::Kind::Error : LabelFinding::Kind::Warning);

    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / size.width(), rect.height() / size.height());
    const QRectF outline(QPointF(0, 0), size);
    painter.fillRect(outline, Qt::white);
    if (!findings.empty()) {
        painter.fillRect(QRectF(0, 0, size.width(), margin + headerHeight), mark.lighter(185));
    }
    painter.setPen(findings.empty() ? QPen(Qt::darkGray, 1) : QPen(mark, 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline.adjusted(0.5, 0.5, -0.5, -0.5));

    double y = margin;
    const double inner = size.width() - 2 * margin;
    painter.setPen(Qt::black);
    painter.setFont(Fonts::ming(11));
    painter.drawText(QRectF(margin, y, inner, headerHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("第 %1 筆 · 第 %2 行").arg(card.row).arg(line + 1));
    painter.drawText(QRectF(margin, y, inner, headerHeight), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("張數 %1").arg(QString::fromLatin1(card.quantity)));
    y += headerHeight;

    for (const auto &[entry, value] : card.columns) {
        painter.setPen(Qt::darkGray);
        drawFitted(painter, QRectF(margin, y, captionWidth - 4, columnHeight), captionOf(entry), captionFont());
        painter.setPen(Qt::black);
        drawFitted(painter, QRectF(margin + captionWidth, y, inner - captionWidth, columnHeight), Big5::decode(value),
                   valueFont());
        y += columnHeight;
    }
    y += 4;

    painter.setPen(Qt::black);
    painter.setFont(Fonts::ming(10));
    if (card.barcode.isEmpty()) {
        painter.drawText(QRectF(margin, y, inner, barcodeHeight), Qt::AlignCenter, QStringLiteral("沒有條碼"));
    } else {
        drawLabelBarcode(painter, QRectF(margin + 8, y, inner - 16, barcodeHeight), card.barcode);
    }
    y += barcodeHeight;

    QStringList messages;
    for (const LabelFinding *finding : findings) {
        messages << finding->message;
    }
    if (!messages.isEmpty()) {
        painter.setPen(mark);
        painter.setFont(Fonts::ming(9));
        const QRectF box(margin, y, inner, findingsHeight - margin);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         painter.fontMetrics().elidedText(messages.join(QStringLiteral("；")), Qt::ElideRight,
                                                          int(box.width() * 2)));
    }
    painter.restore();
}
