#include "app/ProgramDir.h"

#include <gtest/gtest.h>

TEST(ProgramDir, dropsOnlyTheSeparatorOfARoot)
{
    const struct {
        const char *name;
        QString applicationDir;
        QString programDir;
        QString settingsFile;
    } cases[] = {
        {"folder", QStringLiteral("/opt/barlabel"), QStringLiteral("/opt/barlabel"),
         QStringLiteral("/opt/barlabel/SysSet.ini")},
        {"unix root", QStringLiteral("/"), QString(), QStringLiteral("/SysSet.ini")},
        {"drive root", QStringLiteral("C:/"), QStringLiteral("C:"), QStringLiteral("C:/SysSet.ini")},
        {"drive root, backslash", QStringLiteral("C:\\"), QStringLiteral("C:"), QStringLiteral("C:/SysSet.ini")},
        {"folder on a drive", QStringLiteral("C:/Bar"), QStringLiteral("C:/Bar"), QStringLiteral("C:/Bar/SysSet.ini")},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        const QString programDir = ProgramDir::fromApplicationDir(row.applicationDir);
        EXPECT_EQ(programDir, row.programDir);
        EXPECT_EQ(ProgramDir::file(programDir, QStringLiteral("SysSet.ini")), row.settingsFile);
    }
}
