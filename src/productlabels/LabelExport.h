#pragma once

#include "labelqueue/LabelProgramLaunch.h"
#include "productlabels/LabelTextFile.h"

#include <QString>

#include <functional>
#include <optional>

class LabelRowSource;
class Prompts;

inline constexpr char nothingToExportText[] = "沒有資料可以匯出!!";
// The window asks this before an export; anything but Yes changes nothing.
inline constexpr char confirmExportQuestion[] = "確定轉出要列印的資料 ?";
inline constexpr char exportDoneText[] = "已經送出文字檔";

// How an export of either label side ended. The window shows message through
// Msg3dShow and starts the label program only after Written; the command line
// prints message.
struct LabelExportResult {
    enum class Kind {
        EmptyQueue, // "沒有資料可以匯出!!"; nothing written
        Failed,     // the old file stays; nothing may be started
        Written,    // "已經送出文字檔" + the file's path
    };
    Kind kind = Kind::EmptyQueue;
    QString message;
    QString path;
    qint64 lines = 0;
};

// Writes the queue's rows to path as lines says; an empty queue writes nothing.
LabelExportResult exportLabelFile(LabelRowSource &rows, const LabelLines &lines, const QString &path);

// The export button's whole run: "沒有資料可以匯出!!" for an empty queue; the
// question "確定轉出要列印的資料 ?" (anything but Yes stops); the file through
// write; its outcome shown with Msg3dShow; then, only after a complete file and
// once the message is closed, the label program through launch.
struct LabelExportRun {
    bool confirmed = false;
    LabelExportResult result;
    std::optional<LabelProgramLaunch> launch; // set when the file was written
};

LabelExportRun runLabelExport(LabelRowSource &rows, Prompts &prompts, const std::function<LabelExportResult()> &write,
                              const std::function<LabelProgramLaunch()> &launch);
