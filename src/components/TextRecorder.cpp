#include "components/TextRecorder.h"

#include "components/TextHelpers.h"

#include <QFile>

TextRecorder::TextRecorder(const Clock &clock)
    : clock_(&clock)
{}

void TextRecorder::setFileName(const QString &fileName)
{
    fileName_ = fileName;
    mode_ = RecordFileNaming::Custom;
    fileNameHead_.clear();
}

void TextRecorder::setFileNameHead(const QString &head)
{
    fileNameHead_ = head;
    fileName_.clear();
    if (mode_ == RecordFileNaming::Custom) {
        mode_ = RecordFileNaming::YearMonthDay;
    }
}

void TextRecorder::setFileNameMode(RecordFileNaming mode)
{
    mode_ = mode;
    if (mode == RecordFileNaming::Custom) {
        fileNameHead_.clear();
    } else {
        fileName_.clear();
    }
}

QString TextRecorder::path() const
{
    QString result = directory_;
    if (!result.isEmpty() && !result.endsWith(QLatin1Char('/'))) {
        result += QLatin1Char('/');
    }
    if (mode_ == RecordFileNaming::Custom) {
        result += fileName_;
    } else {
        const QByteArray digits = DateToDigits(clock_->today());
        result += fileNameHead_ + QString::fromLatin1(digits.mid(2, mode_ == RecordFileNaming::YearMonth ? 4 : 6));
    }
    if (!fileExtension_.isEmpty()) {
        result += QLatin1Char('.') + fileExtension_;
    }
    return result;
}

bool TextRecorder::writeText(const QByteArray &text)
{
    return write(onWriteText_, text, false);
}

bool TextRecorder::writeLine(const QByteArray &text)
{
    return write(onWriteLine_, text, true);
}

bool TextRecorder::write(const WriteHandler &handler, QByteArray text, bool lineEnd)
{
    QString target = path();
    bool cancel = false;
    if (handler) {
        handler(*this, target, text, cancel);
    }
    if (cancel) {
        error_ = QStringLiteral("寫入 %1 已取消").arg(target);
        return false;
    }
    if (lineEnd) {
        text += "\r\n";
    }
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        error_ = QStringLiteral("無法開啟 %1: %2").arg(target, file.errorString());
        return false;
    }
    const qint64 before = file.size();
    if (file.write(text) != text.size() || !file.flush()) {
        error_ = QStringLiteral("無法寫入 %1: %2").arg(target, file.errorString());
        // A piece is all there or not at all.
        file.resize(before);
        return false;
    }
    error_.clear();
    return true;
}
