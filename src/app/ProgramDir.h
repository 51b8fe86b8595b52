#pragma once

#include <QString>

// The directory that holds the program file. Every settings and export file
// lives there, named ProgramDir + separator + name.
namespace ProgramDir {

// The directory as Qt reports it ("/" separators), without a trailing
// separator: a root ("/" or "C:/") loses it, leaving "" or "C:".
QString fromApplicationDir(const QString &applicationDirPath);

// programDir + "/" + name; a root directory still gives "/name" or "C:/name".
QString file(const QString &programDir, const QString &name);

} // namespace ProgramDir
