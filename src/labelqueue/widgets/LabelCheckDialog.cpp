#include "labelqueue/widgets/LabelCheckDialog.h"

#include "components/widgets/BareMnemonicKeys.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/WindowScale.h"
#include "labelqueue/LabelCards.h"
#include "labelqueue/proof/LabelProofSheet.h"
#include "labelqueue/widgets/LabelCardView.h"
#include "labelqueue/widgets/LabelFindingsModel.h"
#include "labelqueue/widgets/LabelWindowLook.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

FocusMarkedButton *dialogButton(const char *name, const QString &caption, const QColor &colour, QWidget *parent)
{
    auto *button = new FocusMarkedButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, colour);
    button->setPalette(palette);
    return button;
}

} // namespace

LabelCheckDialog::LabelCheckDialog(Prompts &prompts, QWidget *parent)
    : QDialog(parent)
    , totalsLabel(new QLabel(this))
    , findingsView(new QTableView(this))
    , cardView(new LabelCardView(this))
    , goToRowButton(dialogButton("goToRowButton", QStringLiteral("到這一筆&G"), QColor(0, 0, 128), this))
    , exportAnywayButton(dialogButton("exportAnywayButton", QStringLiteral("照樣轉出&E"), QColor(0, 100, 0), this))
    , savePdfButton(dialogButton("savePdfButton", QStringLiteral("存成PDF檔&S"), QColor(0, 100, 0), this))
    , cancelButton(dialogButton("cancelButton", QStringLiteral("取消&N"), QColor(128, 0, 0), this))
    , prompts_(prompts.forWindow(this))
    , findings_(new LabelFindingsModel(this))
{
    setObjectName(QStringLiteral("LabelCheckDialog"));
    setModal(true);
    setFont(Fonts::sans(9));
    setSizeGripEnabled(true);
    cancelButton->setGlyph(ButtonGlyphs::cross());

    totalsLabel->setObjectName(QStringLiteral("totalsLabel"));
    totalsLabel->setTextFormat(Qt::PlainText);

    findingsView->setObjectName(QStringLiteral("findingsView"));
    findingsView->setModel(findings_);
    findingsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    findingsView->setSelectionMode(QAbstractItemView::SingleSelection);
    findingsView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    findingsView->setTabKeyNavigation(false);
    findingsView->setWordWrap(false);
    findingsView->verticalHeader()->hide();
    findingsView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    findingsView->horizontalHeader()->setStretchLastSection(true);
    cardView->setObjectName(QStringLiteral("cardView"));
    // Neither view takes text: a bare G, E, S or N presses its button there too.
    findingsView->setProperty(BareMnemonicKeys::takesNoTextProperty, true);
    cardView->setProperty(BareMnemonicKeys::takesNoTextProperty, true);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(findingsView);
    split->addWidget(cardView);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(1, 3);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(goToRowButton);
    buttons->addStretch();
    buttons->addWidget(exportAnywayButton);
    buttons->addWidget(savePdfButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(totalsLabel);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    // Enter on a button presses that button; elsewhere it is Cancel's.
    for (FocusMarkedButton *button : {goToRowButton, exportAnywayButton, savePdfButton}) {
        button->setAutoDefault(false);
    }
    cancelButton->setDefault(true);
    connect(goToRowButton, &QPushButton::clicked, this, &LabelCheckDialog::goToRow);
    connect(exportAnywayButton, &QPushButton::clicked, this, [this] {
        choice_ = Choice::ExportAnyway;
        accept();
    });
    connect(savePdfButton, &QPushButton::clicked, this, &LabelCheckDialog::savePdf);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(findingsView, &QAbstractItemView::doubleClicked, this, &LabelCheckDialog::goToRow);
    connect(findingsView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &LabelCheckDialog::followFinding);

    askPdfPath = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("存成PDF檔"), defaultPdfPath(),
                                            QStringLiteral("PDF (*.pdf)"));
    };
}

LabelCheckDialog::~LabelCheckDialog() = default;

void LabelCheckDialog::setEntryTitle(std::function<QString(const QByteArray &entry)> entryTitle)
{
    findings_->setEntryTitle(std::move(entryTitle));
}

LabelCheckDialog::Choice LabelCheckDialog::reviewBeforeExport(const LabelCheckReport &report)
{
    setWindowTitle(QStringLiteral("轉出前檢查"));
    return present(report, nullptr);
}

LabelCheckDialog::Choice LabelCheckDialog::preview(LabelCardSource &cards)
{
    setWindowTitle(QStringLiteral("檢查預覽"));
    return present(cards.report(), &cards);
}

LabelCheckDialog::Choice LabelCheckDialog::present(const LabelCheckReport &report, LabelCardSource *cards)
{
    cards_ = cards;
    choice_ = Choice::Cancel;
    chosenRow_ = 0;
    chosenEntry_.clear();
    findings_->setReport(&report);
    showTotals(report);
    const bool previewing = cards != nullptr;
    cardView->setVisible(previewing);
    cardView->setSource(cards);
    savePdfButton->setVisible(previewing);
    exportAnywayButton->setVisible(!previewing);
    // The export would refuse such a queue: there is nothing to go on to.
    exportAnywayButton->setEnabled(report.outputRefusal().isEmpty());
    cancelButton->setText(previewing ? QStringLiteral("關閉&X") : QStringLiteral("取消&N"));
    findingsView->setVisible(!report.findings.empty());
    growWithTheScreen(previewing ? QSize(960, 720) : QSize(820, 420));
    LabelWindowLook::centreOverOwner(*this);
    if (!report.findings.empty()) {
        findingsView->setCurrentIndex(findings_->index(0, 0));
        findingsView->setFocus();
    } else {
        cardView->setFocus();
    }
    exec();
    findings_->setReport(nullptr);
    cardView->setSource(nullptr);
    cards_ = nullptr;
    return choice_;
}

void LabelCheckDialog::growWithTheScreen(QSize layoutSize)
{
    // Laid out for a screen 600 pixels high, like the label windows it opens over.
    resize(layoutSize);
    const double factor = WindowScale::factorFor(*this);
    WindowScale::recordFactor(*this, factor);
    const auto scaled = [factor](int pixels) { return WindowScale::scaled(pixels, factor); };
    totalsLabel->setFont(Fonts::kai(scaled(19)));
    for (FocusMarkedButton *button : {goToRowButton, exportAnywayButton, savePdfButton, cancelButton}) {
        button->setFont(Fonts::kai(scaled(17)));
        button->setMinimumSize(scaled(120), scaled(36));
    }
    // The grid's own font, so a finding reads like the cell it names.
    findingsView->setFont(Fonts::ming(scaled(14)));
    findingsView->verticalHeader()->setDefaultSectionSize(findingsView->fontMetrics().height() + scaled(6));
    const int widths[] = {64, 170, 48};
    for (int column = 0; column < int(std::size(widths)); ++column) {
        findingsView->setColumnWidth(column, scaled(widths[column]));
    }
    cardView->setScale(factor);
    resize(scaled(layoutSize.width()), scaled(layoutSize.height()));
}

void LabelCheckDialog::showTotals(const LabelCheckReport &report)
{
    const auto errors = std::count_if(report.findings.begin(), report.findings.end(),
                                      [](const LabelFinding &f) { return f.kind == LabelFinding::Kind::Error; });
    const auto warnings = qsizetype(report.findings.size()) - errors;
    QString text = report.totalsText();
    text += report.findings.empty() ? QStringLiteral("；沒有發現問題")
                                    : QStringLiteral("；%1 個錯誤，%2 個提醒").arg(errors).arg(warnings);
    totalsLabel->setText(text);
    QPalette palette = totalsLabel->palette();
    palette.setColor(QPalette::WindowText, errors > 0 ? QColor(Qt::red) : QColor(0, 0, 128));
    totalsLabel->setPalette(palette);
}

void LabelCheckDialog::followFinding()
{
    const LabelFinding *finding = findings_->finding(findingsView->currentIndex().row());
    if (cards_ && finding && finding->row > 0) {
        const std::vector<qint64> &starts = cards_->report().lineStarts;
        cardView->setCurrentLine(starts[size_t(finding->row - 1)]);
    }
}

void LabelCheckDialog::goToRow()
{
    const LabelFinding *finding =
        cardView->hasFocus() ? nullptr : findings_->finding(findingsView->currentIndex().row());
    if (finding) {
        chosenRow_ = finding->row;
        chosenEntry_ = finding->entry;
    } else if (cards_ && cards_->report().totals.lines > 0) {
        chosenRow_ = rowOfLine(cards_->report(), cardView->currentLine());
    }
    if (chosenRow_ <= 0) {
        // The settings' own findings have no row; the list stays for another choice.
        return;
    }
    choice_ = Choice::GoToRow;
    accept();
}

QString LabelCheckDialog::defaultPdfPath() const
{
    if (!lastProofSheet_.isEmpty()) {
        return lastProofSheet_;
    }
    return QDir(proofSheetFolder_.isEmpty() ? QDir::homePath() : proofSheetFolder_)
        .filePath(QStringLiteral("labels.pdf"));
}

void LabelCheckDialog::setProofSheetFolder(const QString &folder)
{
    proofSheetFolder_ = folder;
}

void LabelCheckDialog::savePdf()
{
    if (!cards_) {
        return;
    }
    const QString path = askPdfPath();
    if (path.isEmpty()) {
        return;
    }
    // A long queue takes a while on paper: shown as it goes, and it may be stopped.
    QProgressDialog progress(QStringLiteral("正在存成 PDF 檔…"), QStringLiteral("停止"), 0, 1000, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const QString failure = writeLabelProofSheet(*cards_, path, [&progress](qint64 done, qint64 total) {
        progress.setValue(int(done * 1000 / std::max<qint64>(total, 1)));
        return !progress.wasCanceled();
    });
    progress.reset();
    if (failure.isEmpty()) {
        lastProofSheet_ = path;
        prompts_->embossedMessage(QStringLiteral("已存成 ") + QDir::toNativeSeparators(path));
    } else {
        prompts_->plainMessage(failure);
    }
}
