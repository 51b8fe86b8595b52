#pragma once

#include <QString>

// The directory that holds the program file. Every settings and export file
// lives there, named ProgramDir + separator + name.
namespace ProgramDir {

// An installed program sits in a folder its user cannot write, so its
// launcher names a per-user folder here to be used in the program file's stead.
inline constexpr char overrideVariable[] = "BARLABEL_PROGRAM_DIR";

// The directory as Qt reports it ("/" separators), without a trailing
// separator: a root ("/" or "C:/") loses it, leaving "" or "C:".
QString fromApplicationDir(const QString &applicationDirPath);

struct Choice {
    QString dir;
    QString error; // the override names no directory; empty when all is well
    bool ok() const { return error.isEmpty(); }
};

// An empty override gives fromApplicationDir(applicationDirPath), exactly as
// without one; otherwise the override made absolute, under the same rule.
Choice choose(const QString &applicationDirPath, const QString &overrideDir);

// choose() for this process: its program file and BARLABEL_PROGRAM_DIR.
Choice ofThisProcess();

// programDir + "/" + name; a root directory still gives "/name" or "C:/name".
QString file(const QString &programDir, const QString &name);

} // namespace ProgramDir
