#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The rows of a label queue as the export and the check read them, in table
// order, one current row at a time. Fields are addressed by their index in
// the side's table fields (QueueSide::fields).
class QueueRowSource
{
public:
    virtual ~QueueRowSource() = default;
    // Around a whole pass (the export, the check): the queue's table is held
    // for reading (writers wait outside) and its rows are brought up to date.
    // An empty text, or why not.
    virtual QString beginReading() { return QString(); }
    virtual void endReading() {}
    virtual int rowCount() const = 0;
    // Makes row the current one; an empty text, or why it cannot be read.
    virtual QString read(int row) = 0;
    // The current row's text without the blanks that pad it to its width;
    // valid until the next read().
    virtual QByteArrayView text(int field) const = 0;
    // Empty for an empty numeric field.
    virtual std::optional<double> number(int field) const = 0;
    // After an export wrote labelFile from these rows, still reading them:
    // kept in the queue's print history with the rows and the settings text
    // ("key=value" lines). A note for the export's message (older exports
    // dropped, or why none could be kept), empty otherwise.
    virtual QString exported(const QString &labelFile, qint64 lines, const QByteArray &settings)
    {
        return recordExport(*this, labelFile, lines, settings);
    }
    // Keeps an export of rows: these rows, or some of them read through these.
    virtual QString recordExport(QueueRowSource &rows, const QString &labelFile, qint64 lines,
                                 const QByteArray &settings)
    {
        Q_UNUSED(rows);
        Q_UNUSED(labelFile);
        Q_UNUSED(lines);
        Q_UNUSED(settings);
        return QString();
    }
};
