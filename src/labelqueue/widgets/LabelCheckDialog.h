#pragma once

#include "components/Prompts.h"
#include "labelqueue/LabelCheck.h"

#include <QByteArray>
#include <QDialog>
#include <QSize>

#include <functional>
#include <memory>

class FocusMarkedButton;
class LabelCardSource;
class LabelCardView;
class LabelFindingsModel;
class QLabel;
class QTableView;

// What the check of the labels found, shown before an export that would
// print something wrong, and the labels themselves as cards for a look
// before printing. Cancel is the default button, so a hasty Enter prints
// nothing.
class LabelCheckDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Choice { Cancel, GoToRow, ExportAnyway };

    LabelCheckDialog(Prompts &prompts, QWidget *parent = nullptr);
    ~LabelCheckDialog() override;

    // The findings of report with "到這一筆", "照樣轉出" and "取消".
    Choice reviewBeforeExport(const LabelCheckReport &report);
    // The findings and the cards of cards with "到這一筆", "存成PDF檔" and "關閉".
    Choice preview(LabelCardSource &cards);
    // After GoToRow: the 1-based grid row and the entry of the chosen finding
    // (empty when a card, not a finding, was chosen).
    int chosenRow() const { return chosenRow_; }
    QByteArray chosenEntry() const { return chosenEntry_; }

    // How the list names an entry (see LabelFindingsModel::setEntryTitle).
    void setEntryTitle(std::function<QString(const QByteArray &entry)> entryTitle);

    // Where "存成PDF檔" writes; an empty answer saves nothing. A file dialog
    // unless a test answers instead.
    std::function<QString()> askPdfPath;
    // The file the save dialog proposes: where the last sheet went, else
    // labels.pdf in the folder set here (the program directory).
    QString defaultPdfPath() const;
    void setProofSheetFolder(const QString &folder);

    QLabel *const totalsLabel;
    QTableView *const findingsView;
    LabelCardView *const cardView;
    FocusMarkedButton *const goToRowButton;
    FocusMarkedButton *const exportAnywayButton;
    FocusMarkedButton *const savePdfButton;
    FocusMarkedButton *const cancelButton;

private:
    Choice present(const LabelCheckReport &report, LabelCardSource *cards);
    void growWithTheScreen(QSize layoutSize);
    void showTotals(const LabelCheckReport &report);
    void goToRow();
    void savePdf();
    void followFinding();

    const std::unique_ptr<Prompts> prompts_;
    LabelFindingsModel *const findings_;
    LabelCardSource *cards_ = nullptr;
    Choice choice_ = Choice::Cancel;
    int chosenRow_ = 0;
    QByteArray chosenEntry_;
    QString proofSheetFolder_;
    QString lastProofSheet_;
};
