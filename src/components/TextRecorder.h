#pragma once

#include "components/Clock.h"

#include <QByteArray>
#include <QString>

#include <functional>

enum RecordFileNaming { mYYMM = 0, mYYMMDD = 1, mCust = 2 };

class TextRecorder;

// Called before a piece is written: the handler may change the path and the
// text, or set cancel to true to skip the write.
using WriteHandler = std::function<void(TextRecorder &sender, QString &fileName, QByteArray &msg, bool &cancel)>;

// Appends text to a file named from its properties: Directory + "/" + FileName
// (mCust), or FileNameHead followed by today's yymm (mYYMM) or yymmdd
// (mYYMMDD); then "." + FileExtName when set. Directory takes "/" as its
// separator, with or without a trailing one. Each call opens, appends and
// closes, so the file is complete between calls. Bytes are written unchanged.
class TextRecorder
{
public:
    explicit TextRecorder(const Clock &clock = Clock::system());

    const QString &Directory() const { return directory_; }
    void setDirectory(const QString &directory) { directory_ = directory; }
    // Setting FileName switches to mCust and clears FileNameHead; setting
    // FileNameHead clears FileName and leaves mCust for mYYMMDD; setting the mode
    // clears whichever name that mode does not use.
    const QString &FileName() const { return fileName_; }
    void setFileName(const QString &fileName);
    const QString &FileNameHead() const { return fileNameHead_; }
    void setFileNameHead(const QString &head);
    RecordFileNaming FileNameMode() const { return mode_; }
    void setFileNameMode(RecordFileNaming mode);
    const QString &FileExtName() const { return fileExtName_; }
    void setFileExtName(const QString &extension) { fileExtName_ = extension; }

    void setOnWriteMessage(WriteHandler handler) { onWriteMessage_ = std::move(handler); }
    void setOnWriteString(WriteHandler handler) { onWriteString_ = std::move(handler); }

    // The path the next write goes to (before any handler changes it).
    QString path() const;

    // Appends text; false when a handler cancelled or the file could not be
    // written (errorString() says which; nothing is shown).
    bool WriteString(const QByteArray &text);
    // Appends text and CR LF.
    bool WriteMessage(const QByteArray &text);
    QString errorString() const { return error_; }

private:
    bool write(const WriteHandler &handler, QByteArray text, bool lineEnd);

    const Clock *clock_;
    QString directory_;
    QString fileName_;
    QString fileNameHead_ = QStringLiteral("LOG");
    RecordFileNaming mode_ = mYYMMDD;
    QString fileExtName_;
    WriteHandler onWriteMessage_;
    WriteHandler onWriteString_;
    QString error_;
};
