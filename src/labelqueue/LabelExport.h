#pragma once

#include "labelqueue/LabelProgramLaunch.h"
#include "labelqueue/LabelTextWriter.h"

#include <QString>

#include <functional>
#include <optional>

class QueueRowSource;
class Prompts;

inline constexpr char nothingToExportText[] = "沒有資料可以匯出!!";
// The window asks this before the export; anything but Yes changes nothing.
inline constexpr char confirmExportQuestion[] = "確定轉出要列印的資料 ?";
inline constexpr char exportDoneText[] = "已經送出文字檔";
// Added on a line of its own to the message of a written file when no label
// program is set, before the side's words for where to set it.
inline constexpr char noLabelProgramText[] = "未設定外部條碼程式：";

// How an export ended. The window shows message through showMessageWindow and starts
// the label program only after Written; the command line prints message.
struct ExportResult {
    enum class Kind {
        EmptyQueue, // "沒有資料可以匯出!!"; nothing written
        NoLines,    // no row has a key (or a count of 1 or more): the old "Bars.txt" stays, nothing started
        Failed,     // the old "Bars.txt" stays; nothing may be started
        Written,    // "已經送出文字檔" + the file's path
    };
    Kind kind = Kind::EmptyQueue;
    QString message;
    QString path;
    qint64 lines = 0;
};

// The export button's whole run: "沒有資料可以匯出!!" for an empty queue; the
// question "確定轉出要列印的資料 ?" (anything but Yes stops); the file; its
// outcome shown with showMessageWindow; then, only after a complete file and once the
// message is closed, the label program (the message says when none is set).
struct ExportRun {
    bool confirmed = false;
    ExportResult result;
    std::optional<LabelProgramLaunch> launch; // set when the file was written
};

// What both exports share: the queue held for reading while write() makes the
// file at path, the export kept in the queue's print history with the
// settings in force ("key=value" lines), and the outcome as the export
// reports it.
ExportResult exportLabelFile(QueueRowSource &rows, const QString &path, const QByteArray &settings,
                             const std::function<LabelTextFileResult()> &write);
// Looks over a queue that is not empty before the question is asked (the
// window's check of the labels); false stops the run with nothing changed.
using ExportReview = std::function<bool()>;

// Both export buttons' run, as ExportRun describes it.
ExportRun runLabelExport(QueueRowSource &rows, Prompts &prompts, const std::function<ExportResult()> &exportFile,
                         const LabelProgramCall &program, const ExportReview &review = {});
