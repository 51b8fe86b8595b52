#pragma once

#include <QString>
#include <QStringList>

// The table files that delete-alls emptied, kept for their undo in a folder
// beside the journal as "<entry>-<table file name>" ("17-bar1.dbf"). The
// journal records which entry has one; these are the files themselves.
namespace KeptTableFiles {

QString nameFor(qint64 entry, const QString &tableFileName);
// A second name in folder for the table file (a hard link), made to last
// through a power cut: its path, or empty where none can be made (a file
// system without hard links, no right to make the folder).
QString link(const QString &tablePath, const QString &folder, const QString &name);
// True while the kept file is still the table itself: the empty table never took the table's name.
bool isStillTheTable(const QString &kept, const QString &tablePath);
void remove(const QString &folder, const QStringList &names);
// Removes the table's files in folder that are not among named.
void removeAllBut(const QString &folder, const QString &tableFileName, const QStringList &named);

} // namespace KeptTableFiles
