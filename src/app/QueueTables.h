#pragma once

#include <QList>
#include <QString>

// Creating the two empty label queue tables, which the program itself only
// ever opens.
struct QueueTableCreation {
    enum class Outcome { Created, AlreadyExisted, Failed };

    QString fileName;
    Outcome outcome = Outcome::Failed;
    QString error; // why it failed
};

// Creates "bar1.dbf" and "bar2.DBF" in the directory with the CP950 code page
// byte. A table already there is left exactly as it is and reported.
QList<QueueTableCreation> createQueueTables(const QString &directory);
