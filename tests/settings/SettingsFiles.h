#pragma once

#include "components/Big5.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A program directory of its own for each test, with helpers to put and read
// its settings files as bytes.
class SettingsFilesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString programDir() const { return dir.path(); }

    void put(const QString &name, const QByteArray &bytes) const
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray contents(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // A directory where the settings file should be, so every write fails.
    void blockFile(const QString &name) const { ASSERT_TRUE(QDir(dir.path()).mkdir(name)); }

    static QByteArray big5(const char *utf8) { return Big5::fromUtf8Literal(utf8); }

    QTemporaryDir dir;
};
