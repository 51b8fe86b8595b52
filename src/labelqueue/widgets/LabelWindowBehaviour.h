#pragma once

#include "components/ProfileFile.h"
#include "labelqueue/CountRuleStore.h"
#include "labelqueue/LabelProgramLaunch.h"
#include "labelqueue/QueueImport.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class BusyWindow;
class CountRuleDialog;
class FindBar;
class FocusMarkedButton;
class QRect;
class QAbstractButton;
class LabelQueue;
class LabelQueueGrid;
class LabelQueueModel;
class Prompts;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class PrintHistoryDialog;
class QueueUndoControls;
class QWidget;
class QueueReader;
class QueueRowSource;
class QueueRowSubset;
class QueueWindowActions;
class ServerExchange;
struct ExportRun;
struct QueueSide;

// What both label windows do the same way, written once: the queue actions
// (open, close, walk, delete), the import run with its busy window and its
// messages, the export and the preview over the queue, the path box of the
// label program, the parameter group, the count rule (F8) and the help key
// F12. A window lays out
// its own controls, hands them over, and keeps only what is its own.
class LabelWindowBehaviour : public QObject
{
    Q_OBJECT

public:
    LabelWindowBehaviour(QWidget &window, LabelQueue &queue, const QueueSide &side, LabelQueueModel &model,
                         LabelQueueGrid &grid, ServerExchange &exchange, Prompts &prompts, const QString &programDir);
    ~LabelWindowBehaviour() override;

    QueueWindowActions &actions() { return *actions_; }
    // The controls a label window adds to its title bar, beside its designed title.
    struct TitleBarControls {
        FocusMarkedButton &checkPreview;
        FocusMarkedButton &countRule;
        FocusMarkedButton &find;
        FocusMarkedButton &undo;
        FocusMarkedButton &printHistory;
        QLabel &journalStatus;
    };
    // Places them in the free ends of a title bar `width` wide, and the find
    // bar (opened by the find button and Ctrl+F) over the left end.
    void placeTitleBarControls(const TitleBarControls &controls, int width, int titleHeight);
    FindBar *findBar() const { return findBar_; }
    CountRuleDialog &countRuleDialog() { return *countRuleDialog_; }

    // The group's three buttons "無", "1" and "2", "無" chosen.
    void fillParameterGroup(QGroupBox &group);
    // The button chosen in the parameter group: the label program's parameter.
    LabelProgramParameter parameter() const;
    // The group's button for "無" (0), "1" or "2".
    QAbstractButton *parameterButton(int index) const;

    // The path box of the label program: it shows the stored path, bytes that
    // are no Big5 text included, and gives them back unchanged until edited;
    // every keystroke stores the path, and a failed store is told once, when
    // the box is left.
    void attachPathBox(QLineEdit &edit, const LabelProgramIni &ini);

    // "復原" (the button, Ctrl+Z, Ctrl+Y) and the status line that says what
    // it would undo and what the start found left half done by a crash.
    void attachUndo(QAbstractButton &undoButton, QLabel &statusLine);
    // "列印記錄" (the button and F9): the queue's exports with their rows,
    // "再轉出" starting the label program by launch, and "加回佇列".
    void attachPrintHistory(QAbstractButton &button, std::function<LabelProgramLaunch()> launch);

    // Each showing: opens the queue's table with its journal beside it,
    // settles what a crash left half done and reads the path into the box.
    void openQueue();
    // On closing: keeps a pending grid edit and closes the table.
    void closeQueue();
    // An import, export or preview still uses the table: the window stays open.
    bool isBusy() const { return busy_; }

    using ImportRun = std::function<ImportOutcome(ReplyRecordSink &, const std::function<void(int)> &progress)>;
    // Every import button: a pending edit stored, the table kept in use until
    // the end, the conditions asked (false stops), the rows stored with their
    // progress shown, the count rule stored for this kind of import applied
    // to the new rows when it is marked to apply by itself, the grid on the
    // last new row, then the outcome told: a failed exchange with its reason,
    // any other outcome by its message with the rule's totals.
    void runImport(const QString &name, const QByteArray &countRuleKind, const std::function<bool()> &askConditions,
                   const ImportRun &run);
    // The imports of this side, whose rules the count rule dialog stores.
    void setCountRuleKinds(const QList<CountRuleKind> &kinds);
    // "張數規則": the rule asked for the selected rows (for every row when at
    // most one is selected) and written as one change.
    void runCountRule();
    // The export button: run over the queue's rows (or, when the user chooses
    // so, over the rows filtered or selected) with the window's prompts;
    // then the grid shows what the export wrote and a label program that
    // would not start is told.
    void runExport(const std::function<ExportRun(QueueRowSource &rows, Prompts &prompts)> &run);
    // "檢查預覽": show over the queue's rows (or the rows chosen, as for the
    // export), with a pending edit stored first.
    void runPreview(const std::function<void(QueueRowSource &rows)> &show);

Q_SIGNALS:
    // The path box lost the focus to another control of its window.
    void pathBoxLeft();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void storePath();
    void showImportProgress(const QString &name, int rowsAdded);
    // Stores a pending edit and drops the untouched new row before the queue is used whole.
    void settleGrid();
    // The rows an action works on, after the question about the rows filtered
    // or selected; nullptr when the user cancelled. A subset lives in chosenRows.
    QueueRowSource *chooseRows(QueueReader &allRows, const QString &verb, std::optional<QueueRowSubset> &chosenRows);
    // The totals of the stored rule applied after an import, or why none was; empty when none is to apply.
    QString applyStoredCountRule(const QByteArray &kind, const std::vector<int> &recordNumbers);

    QWidget &window_;
    LabelQueue &queue_;
    const QueueSide &side_;
    LabelQueueModel &model_;
    LabelQueueGrid &grid_;
    ServerExchange &exchange_;
    const std::unique_ptr<Prompts> prompts_;
    QString programDir_;
    QueueWindowActions *const actions_;
    CountRuleDialog *const countRuleDialog_;
    // Covers the storing of an import's rows, after the exchange's own busy window.
    BusyWindow *const fillBusyWindow_;
    QButtonGroup *const parameterButtons_;
    QLineEdit *pathEdit_ = nullptr;
    FindBar *findBar_ = nullptr;
    QueueUndoControls *undo_ = nullptr;
    PrintHistoryDialog *printHistory_ = nullptr;
    LabelProgramIni pathIni_;
    ProfileFile pathFile_;
    QString pathWriteError_;
    bool loading_ = false;
    bool busy_ = false;
};
