#pragma once

#include "components/Clock.h"

#include <QByteArray>
#include <QString>

#include <functional>

// How a record file is named: the file name head and today's yymm or
// yymmdd, or the file name as given.
enum class RecordFileNaming { YearMonth, YearMonthDay, Custom };

class TextRecorder;

// Called before a piece is written: the handler may change the path and the
// text, or set cancel to true to skip the write.
using WriteHandler = std::function<void(TextRecorder &sender, QString &fileName, QByteArray &msg, bool &cancel)>;

// Appends text to a file named from its settings: directory + "/" + file name
// (Custom), or the file name head followed by today's yymm (YearMonth) or
// yymmdd (YearMonthDay); then "." + the extension when set. The directory
// takes "/" as its separator, with or without a trailing one. Each call
// opens, appends and closes, so the file is complete between calls. Bytes are
// written unchanged.
class TextRecorder
{
public:
    explicit TextRecorder(const Clock &clock = Clock::system());

    const QString &directory() const { return directory_; }
    void setDirectory(const QString &directory) { directory_ = directory; }
    // Setting the file name switches to Custom and clears the head; setting the
    // head clears the file name and leaves Custom for YearMonthDay; setting the
    // mode clears whichever name that mode does not use.
    const QString &fileName() const { return fileName_; }
    void setFileName(const QString &fileName);
    const QString &fileNameHead() const { return fileNameHead_; }
    void setFileNameHead(const QString &head);
    RecordFileNaming fileNameMode() const { return mode_; }
    void setFileNameMode(RecordFileNaming mode);
    const QString &fileExtension() const { return fileExtension_; }
    void setFileExtension(const QString &extension) { fileExtension_ = extension; }

    void setOnWriteLine(WriteHandler handler) { onWriteLine_ = std::move(handler); }
    void setOnWriteText(WriteHandler handler) { onWriteText_ = std::move(handler); }

    // The path the next write goes to (before any handler changes it).
    QString path() const;

    // Appends text; false when a handler cancelled or the file could not be
    // written (errorString() says which; nothing is shown).
    bool writeText(const QByteArray &text);
    // Appends text and CR LF.
    bool writeLine(const QByteArray &text);
    QString errorString() const { return error_; }

private:
    bool write(const WriteHandler &handler, QByteArray text, bool lineEnd);

    const Clock *clock_;
    QString directory_;
    QString fileName_;
    QString fileNameHead_ = QStringLiteral("LOG");
    RecordFileNaming mode_ = RecordFileNaming::YearMonthDay;
    QString fileExtension_;
    WriteHandler onWriteLine_;
    WriteHandler onWriteText_;
    QString error_;
};
