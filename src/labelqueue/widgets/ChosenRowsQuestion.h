#pragma once

#include <QString>

#include <optional>
#include <vector>

class LabelQueueGrid;
class LabelQueueModel;
class Prompts;
class QueueRowSource;

// Before the export, the check or the preview, while the grid shows filtered
// rows or several rows are selected: asks whether only those rows are meant,
// naming their rows and labels ("只轉出篩選出的 37 筆 (120 張)？"), with
// Cancel as the default. Several selected rows are the choice over a filter.
struct ChosenRowsQuestion {
    enum class Answer { ChosenRows, AllRows, Cancel };
    Answer answer = Answer::AllRows;
    // The chosen rows' record numbers, ascending, when the answer is ChosenRows.
    std::vector<int> recordNumbers;

    // verb: what the action does to the rows, "轉出", "檢查", "預覽".
    // quantityField: the side's field of the label count, read through allRows.
    static ChosenRowsQuestion ask(Prompts &prompts, const LabelQueueModel &model, const LabelQueueGrid &grid,
                                  QueueRowSource &allRows, int quantityField, const QString &verb);
};
