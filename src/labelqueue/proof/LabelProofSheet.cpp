#include "labelqueue/proof/LabelProofSheet.h"

#include "components/Big5.h"
#include "components/RegularFile.h"
#include "components/widgets/Fonts.h"
#include "labelqueue/ReplacingFile.h"
#include "labelqueue/proof/LabelCardPainter.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

// The PDF writer wants a device; this one hands its bytes to a replacing file,
// which checks every block it writes, so a full disk cannot pass unseen.
class ReplacingFileDevice : public QIODevice
{
public:
    explicit ReplacingFileDevice(ReplacingFile &file)
        : file_(file)
    {}

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        file_.write(QByteArrayView(data, size));
        return file_.failed() ? -1 : size;
    }

private:
    ReplacingFile &file_;
};

constexpr int pointsPerInch = 72;
constexpr double gap = 10;
constexpr int cardsAcross = 2;
// Even the tallest cards (25 columns) come two rows to a page.
constexpr int fewestRowsOnAPage = 2;

// The cards as large as two fit across the page, made a little smaller where
// that fits one more row on it; never fewer than two rows.
QSizeF cardOnPaper(const QSizeF &card, const QRectF &page)
{
    const double across = (page.width() - gap * (cardsAcross - 1)) / cardsAcross / card.width();
    const auto fitting = [&](int rows) { return (page.height() - gap * (rows - 1)) / rows / card.height(); };
    int rows = std::max(fewestRowsOnAPage, int((page.height() + gap) / (card.height() * across + gap)));
    if (fitting(rows + 1) >= 0.8 * across) {
        ++rows;
    }
    return card * std::min(across, fitting(rows));
}

// The first page's head: the totals and what the settings themselves hold.
double drawHead(QPainter &painter, const QRectF &page, const LabelCheckReport &report)
{
    painter.setPen(Qt::black);
    painter.setFont(Fonts::kai(16));
    double y = page.top();
    const QRectF title(page.left(), y, page.width(), 22);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("標籤校對表"));
    painter.setFont(Fonts::ming(11));
    painter.drawText(title, Qt::AlignRight | Qt::AlignVCenter, report.totalsText());
    y += 26;
    for (const LabelFinding *finding : report.findingsOf(0)) {
        painter.setPen(findingColour(finding->kind));
        painter.drawText(QRectF(page.left(), y, page.width(), 14), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("設定 %1: %2").arg(Big5::decode(finding->entry), finding->message));
        y += 14;
    }
    return y + gap - page.top();
}

} // namespace

QString proofSheetTargetProblem(const QString &pdfPath)
{
    const QString shownPath = QDir::toNativeSeparators(pdfPath);
    if (!QFileInfo::exists(pdfPath)) {
        return {};
    }
    const RegularFileBytes head = readRegularFileStart(pdfPath, 5);
    if (!head.ok()) {
        return QStringLiteral("不能寫入 %1: %2").arg(shownPath, head.error);
    }
    if (!head.bytes.isEmpty() && !head.bytes.startsWith("%PDF-")) {
        return QStringLiteral("%1 已經存在，而且不是 PDF 檔；校對表只會取代舊的校對表，請另選檔名").arg(shownPath);
    }
    return {};
}

QString writeLabelProofSheet(LabelCardSource &cards, const QString &pdfPath, const ProofSheetProgress &progress)
{
    const QString shownPath = QDir::toNativeSeparators(pdfPath);
    // A sheet of what cannot be printed would only be a longer wait.
    const QString outputRefusal = cards.report().outputRefusal();
    if (!outputRefusal.isEmpty()) {
        return QStringLiteral("沒有存成校對表：") + outputRefusal;
    }
    const QString refusal = proofSheetTargetProblem(pdfPath);
    if (!refusal.isEmpty()) {
        return refusal;
    }
    ReplacingFile file(pdfPath);
    if (!file.open()) {
        return QStringLiteral("無法寫入 %1: %2").arg(shownPath, file.errorString());
    }
    ReplacingFileDevice device(file);
    device.open(QIODevice::WriteOnly);
    QPdfWriter writer(&device);
    writer.setResolution(pointsPerInch);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(28, 28, 28, 28), QPageLayout::Point));
    writer.setTitle(QStringLiteral("標籤校對表"));
    writer.setCreator(QStringLiteral("barlabel"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancel();
        return QStringLiteral("無法寫入 %1").arg(shownPath);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const LabelCheckReport &report = cards.report();
    const qint64 total = report.totals.lines;
    const QRectF page(QPointF(0, 0), writer.pageLayout().paintRect(QPageLayout::Point).size());
    const double head = drawHead(painter, page, report);
    const int columns = total > 0 ? int(cards.card(0).columns.size()) : 0;
    const QSizeF card = cardOnPaper(labelCardSize(columns), page.adjusted(0, 0, 0, -16));

    const double left = page.left() + (page.width() - cardsAcross * card.width() - gap * (cardsAcross - 1)) / 2;
    double top = head;
    int pageNumber = 1;
    const auto footer = [&] {
        painter.setPen(Qt::darkGray);
        painter.setFont(Fonts::ming(9));
        painter.drawText(QRectF(page.left(), page.bottom() - 12, page.width(), 12), Qt::AlignCenter,
                         QStringLiteral("第 %1 頁").arg(pageNumber));
    };
    LabelCardPainter cardPainter;
    for (qint64 line = 0; line < total; ++line) {
        const int across = int(line % cardsAcross);
        if (across == 0 && line > 0) {
            top += card.height() + gap;
        }
        if (across == 0 && top + card.height() > page.bottom() - 16) {
            footer();
            if (!writer.newPage()) {
                painter.end();
                file.cancel();
                return QStringLiteral("無法寫入 %1").arg(shownPath);
            }
            ++pageNumber;
            top = 0;
        }
        const QRectF where(left + across * (card.width() + gap), top, card.width(), card.height());
        const LabelCard label = cards.card(line);
        cardPainter.paint(painter, where, label, line, report.findingsOf(label.row));
        if (progress && line % 64 == 63 && !progress(line + 1, total)) {
            painter.end();
            file.cancel();
            return QStringLiteral("沒有存檔");
        }
    }
    footer();
    painter.end();
    device.close();
    if (!file.commit()) {
        return QStringLiteral("無法寫入 %1: %2").arg(shownPath, file.errorString());
    }
    return {};
}
