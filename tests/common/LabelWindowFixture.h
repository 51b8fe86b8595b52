#pragma once

#include "common/RecordingLauncher.h"
#include "common/RecordingPrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

// A label window over a queue of its own: the program directory and the
// working directory (where the window looks for its queue table) are
// temporary, prompts and the label program launcher are recorded.
template <class Window>
class LabelWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        ASSERT_TRUE(workDir.isValid());
        previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(workDir.path()));
    }

    void TearDown() override
    {
        window.reset();
        QDir::setCurrent(previousDir);
    }

    // Shows the window, as the main window does, and waits until it is active.
    Window &show(std::unique_ptr<Window> made)
    {
        window = std::move(made);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    // Puts a file into the program directory, its folders made as needed.
    void writeProgramFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = QDir(programDir.path()).filePath(name);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // A file of the program directory as it is now.
    QByteArray programFile(const QString &name) const
    {
        QFile file(QDir(programDir.path()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir programDir;
    QTemporaryDir workDir;
    QString previousDir;
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    std::unique_ptr<Window> window;
};
