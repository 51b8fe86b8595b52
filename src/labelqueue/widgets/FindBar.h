#pragma once

#include <QFrame>
#include <QList>

class LabelQueueGrid;
class LabelQueueModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QueueFinder;

// The find bar of a label window: Ctrl+F opens it, Esc closes it. In
// "篩選" mode the grid shows only the rows holding every word typed, as it is
// typed; in "尋找" mode it shows every row and F3 / Shift+F3 go to the next /
// previous row that holds them. The column chooser narrows the search to one
// shown column. The bar tells how many rows match: "符合 37 / 3,012 筆".
class FindBar : public QFrame
{
    Q_OBJECT

public:
    // Placed by the window; the keys are set up on window.
    FindBar(LabelQueueModel &model, LabelQueueGrid &grid, QWidget &window);

    void open();
    // Every row is shown again, the current one kept.
    void close();
    void findNext();
    void findPrevious();
    QueueFinder &finder() { return *finder_; }
    // Whether a search is still going, for tests and the benchmark.
    bool isSearching() const;

    QLineEdit *const textEdit;
    QComboBox *const columnChooser;
    QComboBox *const modeChooser;
    QLabel *const countLabel;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filtering() const;
    QList<int> searchedFields() const;
    void startSearch();
    void showFound();
    void showCount();
    void rowsChanged();
    void goToMatch(bool forward);

    LabelQueueModel &model_;
    LabelQueueGrid &grid_;
    QueueFinder *const finder_;
    bool showing_ = false; // the grid is being reset to show what was found
};
