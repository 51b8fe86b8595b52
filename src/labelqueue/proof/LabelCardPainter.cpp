#include "labelqueue/proof/LabelCardPainter.h"

#include "components/Big5.h"
#include "components/widgets/Fonts.h"
#include "labelqueue/proof/LabelBarcode.h"

#include <QGlyphRun>
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

// Ids of the fonts whose characters the composer keeps.
enum ComposedFont { headerFontId, barcodeFontId };
// Captions are few and values repeat (a row's labels, a colour, a size, a
// price); past this many the cache starts afresh.
constexpr qsizetype mostKeptTexts = 4096;

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

LabelCardPainter::LabelCardPainter()
    : headerFont_(Fonts::ming(11))
    , captionFont_(Fonts::ming(10))
    , valueFont_(Fonts::ming(12))
    , noteFont_(Fonts::ming(10))
    , findingFont_(Fonts::ming(9))
{}

LabelCardPainter::~LabelCardPainter() = default;

const ShapedText &LabelCardPainter::kept(const QByteArray &key, const QString &text, const QFont &font,
                                         QPainter &painter)
{
    const auto found = kept_.constFind(key);
    if (found != kept_.constEnd()) {
        return *found;
    }
    if (kept_.size() >= mostKeptTexts) {
        kept_.clear();
    }
    return *kept_.insert(key, ShapedText::shape(text, font, painter.device()));
}

void LabelCardPainter::paint(QPainter &painter, const QRectF &rect, const LabelCard &card, qint64 line,
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
    const QRectF header(margin, y, inner, headerHeight);
    painter.setPen(Qt::black);
    composer_
        .compose(QStringLiteral("第 %1 筆 · 第 %2 行").arg(card.row).arg(line + 1), headerFont_, headerFontId,
                 painter.device())
        .draw(painter, header);
    composer_
        .compose(QStringLiteral("張數 %1").arg(QString::fromLatin1(card.quantity)), headerFont_, headerFontId,
                 painter.device())
        .draw(painter, header, Qt::AlignRight);
    y += headerHeight;

    // Captions first, then values: each change of pen is a state change in a PDF.
    painter.setPen(Qt::darkGray);
    double columnTop = y;
    for (const auto &column : card.columns) {
        kept("caption " + column.first, captionOf(column.first), captionFont_, painter)
            .draw(painter, QRectF(margin, columnTop, captionWidth - 4, columnHeight), Qt::AlignLeft, &batch_);
        columnTop += columnHeight;
    }
    batch_.flush(painter);
    painter.setPen(Qt::black);
    for (const auto &column : card.columns) {
        kept("value " + column.second, Big5::decode(column.second), valueFont_, painter)
            .draw(painter, QRectF(margin + captionWidth, y, inner - captionWidth, columnHeight), Qt::AlignLeft,
                  &batch_);
        y += columnHeight;
    }
    batch_.flush(painter);
    y += 4;

    painter.setPen(Qt::black);
    const QRectF barcodeBox(margin, y, inner, barcodeHeight);
    if (card.barcode.isEmpty()) {
        kept("no barcode", QStringLiteral("沒有條碼"), noteFont_, painter).draw(painter, barcodeBox, Qt::AlignHCenter);
    } else {
        painter.setFont(noteFont_);
        drawLabelBarcode(painter, barcodeBox.adjusted(8, 0, -8, 0), card.barcode,
                         [this, &painter](const QString &text, const QFont &font) {
                             return composer_.compose(text, font, barcodeFontId + font.pixelSize(), painter.device());
                         });
    }
    y += barcodeHeight;

    QStringList messages;
    for (const LabelFinding *finding : findings) {
        messages << finding->message;
    }
    if (!messages.isEmpty()) {
        painter.setPen(mark);
        painter.setFont(findingFont_);
        const QRectF box(margin, y, inner, findingsHeight - margin);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         painter.fontMetrics().elidedText(messages.join(QStringLiteral("；")), Qt::ElideRight,
                                                          int(box.width() * 2)));
    }
    painter.restore();
}
