#include "labelqueue/LabelTextWriter.h"

#include <QDir>

LabelTextWriter::LabelTextWriter(const QString &path)
    : file_(path)
{}

bool LabelTextWriter::open()
{
    return file_.open();
}

void LabelTextWriter::writeRow(QByteArrayView line, qint64 repeat)
{
    ++rowsWithKey_;
    for (qint64 copy = 0; copy < repeat && !file_.failed(); ++copy) {
        file_.write(line);
    }
    lines_ += repeat;
}

LabelTextFileResult LabelTextWriter::commit()
{
    if (file_.failed()) {
        file_.cancel();
        return failed(LabelTextFileResult::Outcome::Failed, file_.errorString());
    }
    if (lines_ == 0) {
        file_.cancel();
        return failed(LabelTextFileResult::Outcome::NoLines, rowsWithKey_ == 0
                                                                 ? QStringLiteral("沒有任何一筆資料有條碼")
                                                                 : QStringLiteral("有條碼的資料列印張數都不到 1 張"));
    }
    if (!file_.commit()) {
        return failed(LabelTextFileResult::Outcome::Failed, file_.errorString());
    }
    return LabelTextFileResult{LabelTextFileResult::Outcome::Written, QString(), lines_};
}

LabelTextFileResult LabelTextWriter::abandon(const QString &reason)
{
    file_.cancel();
    return failed(LabelTextFileResult::Outcome::Failed, reason);
}

LabelTextFileResult LabelTextWriter::failed(LabelTextFileResult::Outcome outcome, const QString &reason)
{
    const QString path = QDir::toNativeSeparators(file_.path());
    const QString error =
        outcome == LabelTextFileResult::Outcome::NoLines
            ? QStringLiteral("%1，沒有轉出文字檔 %2，也不啟動條碼程式；原來的文字檔未變更。").arg(reason, path)
            : QStringLiteral("文字檔 %1 無法寫出: %2。原來的文字檔未變更。").arg(path, reason);
    return LabelTextFileResult{outcome, error, 0};
}
