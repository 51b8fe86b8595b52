#include "labelqueue/LabelTextWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
        return failed(file_.errorString());
    }
    if (lines_ == 0) {
        file_.cancel();
        return noLines();
    }
    if (!file_.commit()) {
        return failed(file_.errorString());
    }
    return LabelTextFileResult{LabelTextFileResult::Outcome::Written, QString(), lines_};
}

LabelTextFileResult LabelTextWriter::abandon(const QString &reason)
{
    file_.cancel();
    return failed(reason);
}

LabelTextFileResult LabelTextWriter::noLines()
{
    const QString reason = rowsWithKey_ == 0 ? QStringLiteral("沒有任何一筆資料有條碼")
                                             : QStringLiteral("有條碼的資料列印張數都不到 1 張");
    const QString path = QDir::toNativeSeparators(file_.path());
    QString error = QStringLiteral("%1，沒有轉出文字檔 %2，也不啟動條碼程式。").arg(reason, path);
    // A label program started by hand must not find the last batch and print it again.
    const QFileInfo old(file_.path());
    if (old.isFile()) {
        QFile file(file_.path());
        error += file.remove()
                     ? QStringLiteral("\n上一批的文字檔已刪除，免得再印一次舊標籤。")
                     : QStringLiteral("\n上一批的文字檔無法刪除（%1），請勿用條碼程式列印它。").arg(file.errorString());
    }
    return LabelTextFileResult{LabelTextFileResult::Outcome::NoLines, error, 0};
}

LabelTextFileResult LabelTextWriter::failed(const QString &reason)
{
    const QString path = QDir::toNativeSeparators(file_.path());
    const QString error = QStringLiteral("文字檔 %1 無法寫出: %2。原來的文字檔未變更。").arg(path, reason);
    return LabelTextFileResult{LabelTextFileResult::Outcome::Failed, error, 0};
}
