#include "app/ProgramDir.h"

#include <QDir>
#include <QTemporaryDir>

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

TEST(ProgramDir, anOverrideReplacesTheProgramFilesDirectory)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString userDir = QDir(scratch.path()).absolutePath();
    ASSERT_TRUE(QDir(userDir).mkpath(QStringLiteral("user folder")));
    const QString spaced = userDir + QStringLiteral("/user folder");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(userDir));
    const struct {
        const char *name;
        QString overrideDir;
        QString programDir;
    } cases[] = {
        {"no override: computed as before", QString(), QStringLiteral("/opt/barlabel")},
        {"absolute", userDir, userDir},
        {"trailing separator", userDir + QLatin1Char('/'), userDir},
        {"relative to the working directory", QStringLiteral("user folder"), spaced},
        {"dots", spaced + QStringLiteral("/../user folder/."), spaced},
        {"root", QStringLiteral("/"), QString()},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        const ProgramDir::Choice choice = ProgramDir::choose(QStringLiteral("/opt/barlabel/"), row.overrideDir);
        EXPECT_TRUE(choice.ok()) << choice.error.toStdString();
        EXPECT_EQ(choice.dir, row.programDir);
    }

    const ProgramDir::Choice missing = ProgramDir::choose(QStringLiteral("/opt/barlabel"), QStringLiteral("gone"));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.dir.isEmpty());
    EXPECT_EQ(missing.error,
              QStringLiteral("BARLABEL_PROGRAM_DIR names no directory: ") + userDir + QStringLiteral("/gone"));
    QDir::setCurrent(previous);
}
