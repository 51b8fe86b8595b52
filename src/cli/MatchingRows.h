#pragma once

#include "labelqueue/DbfHeader.h"
#include "labelqueue/QueueColumn.h"
#include "labelqueue/QueueRowSubset.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class LabelQueue;

// "--matching TEXT [--column NAME]" of the export and check commands, and
// the search of the find command: the rows of a queue whose grid columns (or
// the one column named) hold every word of TEXT, matched as the label
// windows' find bar matches.
struct MatchingRows {
    std::optional<QString> text;
    QString column;      // a field name or a grid title; empty for every grid column
    QList<int> searched; // the queue fields searched, once chooseFields() found them

    // Takes "--matching TEXT" and "--column NAME" out of arguments and finds
    // the fields searched. Tells what is wrong on standard error (naming the
    // columns there are for an unknown one) and returns false.
    bool takeOptions(const QString &command, QStringList &arguments, const QList<DbfFieldSpec> &fields,
                     const QList<QueueColumn> &columns);
    bool chooseFields(const QString &command, const QList<DbfFieldSpec> &fields, const QList<QueueColumn> &columns);
    // The matching rows' record numbers, found with the table held for
    // reading; empty with error set when the text cannot match (a character
    // Big5 cannot hold) or the table cannot be read.
    std::vector<int> find(LabelQueue &queue, QString &error) const;
    // The rows a command reads: all of them without --matching, else the
    // matching ones, kept in subset; nullptr with error set when they cannot be found.
    QueueRowSource *rows(LabelQueue &queue, QueueRowSource &all, std::optional<QueueRowSubset> &subset,
                         QString &error) const;
};
