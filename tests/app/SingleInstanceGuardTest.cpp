#include "app/SingleInstanceGuard.h"

#include "components/Clock.h"
#include "components/DateFormats.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {
const QString noticeText = QStringLiteral("條碼列印重複登入了!!");
const QString noticeTitle = QStringLiteral("For web 條碼列印");

class SingleInstanceGuardTest : public ::testing::Test
{
protected:
    SingleInstanceGuardTest() { DateFormats::useLabelWindowFormats(); }

    struct Notice {
        QString title;
        QString text;
    };

    // A guard loaded as the main window loads its own, here with names of the test's choosing.
    std::unique_ptr<SingleInstanceGuard> loadGuard(const QString &mutex, const QString &message,
                                                   const QString &text = noticeText, const QString &title = noticeTitle,
                                                   bool enabled = true)
    {
        auto guard = std::make_unique<SingleInstanceGuard>(clock);
        guard->setDirectory(directory.path());
        guard->beginLoading();
        guard->setMutex(mutex);
        guard->setMessage(message);
        guard->setText(text);
        guard->setTitle(title);
        guard->setEnabled(enabled);
        guard->setNotice([this](const QString &title, const QString &text) { notices.push_back({title, text}); });
        guard->Loaded();
        return guard;
    }

    FixedClock clock{QDateTime(QDate(2026, 3, 1), QTime(8, 0))};
    QTemporaryDir directory;
    std::vector<Notice> notices;
};

QString helperPath()
{
    return qEnvironmentVariable("BARLABEL_BIN_DIR") + QStringLiteral("/single_instance_helper");
}

// The next line the helper prints; empty when it prints nothing more.
QString nextLine(QProcess &process)
{
    while (!process.canReadLine()) {
        // Bounds a broken helper only.
        if (!process.waitForReadyRead(10000)) {
            return QString();
        }
    }
    return QString::fromUtf8(process.readLine()).trimmed();
}

void startHelper(QProcess &process, const QString &directory)
{
    process.start(helperPath(), {directory, QStringLiteral("2009/10/22-mutex"), QStringLiteral("2009/10/22-message")});
    ASSERT_TRUE(process.waitForStarted()) << helperPath().toStdString();
}
} // namespace

TEST_F(SingleInstanceGuardTest, startsWithTheDateOfItsConstructionInItsNames)
{
    SingleInstanceGuard guard(clock);
    guard.setDirectory(directory.path());

    EXPECT_TRUE(guard.enabled());
    EXPECT_EQ(guard.message(), QStringLiteral("2026/03/01-message"));
    EXPECT_EQ(guard.mutex(), QStringLiteral("2026/03/01-mutex"));
    EXPECT_TRUE(guard.text().isEmpty());
    EXPECT_TRUE(guard.title().isEmpty());
    EXPECT_FALSE(guard.OnAnotherInstance);
    EXPECT_FALSE(guard.isGuarding());
    // The date's separators do not make folders.
    EXPECT_EQ(guard.lockFilePath(), directory.filePath(QStringLiteral("2026_03_01-mutex.lock")));
    EXPECT_EQ(guard.socketName(), directory.filePath(QStringLiteral("2026_03_01-message.socket")));
}

TEST_F(SingleInstanceGuardTest, namesChangeOnlyWhileLoading)
{
    const struct {
        const char *name;
        std::function<void(SingleInstanceGuard &, const QString &)> set;
        std::function<QString(const SingleInstanceGuard &)> get;
        QString error;
        QString resetValue;
    } cases[] = {
        {"Mutex", &SingleInstanceGuard::setMutex, &SingleInstanceGuard::mutex,
         QStringLiteral("you can't change Mutex property at runtime!"), QStringLiteral("2026/04/02-mutex")},
        {"Message", &SingleInstanceGuard::setMessage, &SingleInstanceGuard::message,
         QStringLiteral("you can't change Message property at runtime!"), QStringLiteral("2026/04/02-message")},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        clock.set(QDateTime(QDate(2026, 3, 1), QTime(8, 0)));
        SingleInstanceGuard guard(clock);
        const QString before = row.get(guard);
        try {
            row.set(guard, QStringLiteral("other"));
            ADD_FAILURE() << "no SingleInstanceGuardError";
        } catch (const SingleInstanceGuardError &error) {
            EXPECT_EQ(error.message(), row.error);
            EXPECT_STREQ(error.what(), row.error.toUtf8().constData());
        }
        EXPECT_EQ(row.get(guard), before);

        guard.beginLoading();
        row.set(guard, QStringLiteral("2009/10/22-x"));
        EXPECT_EQ(row.get(guard), QStringLiteral("2009/10/22-x"));
        // An empty name stands for the date of the day it is set.
        clock.set(QDateTime(QDate(2026, 4, 2), QTime(8, 0)));
        row.set(guard, QString());
        EXPECT_EQ(row.get(guard), row.resetValue);
        guard.setEnabled(false);
        guard.Loaded();
        EXPECT_THROW(row.set(guard, QStringLiteral("late")), SingleInstanceGuardError);
    }
}

TEST_F(SingleInstanceGuardTest, secondCopyShowsTheNoticeAndWakesTheFirst)
{
    auto first = loadGuard(QStringLiteral("2009/10/22-mutex"), QStringLiteral("2009/10/22-message"));
    ASSERT_TRUE(first->isGuarding());
    ASSERT_FALSE(first->anotherInstanceFound());
    QSignalSpy wakeUps(first.get(), &SingleInstanceGuard::wakeUpRequested);
    ASSERT_TRUE(notices.empty());

    auto second = std::make_unique<SingleInstanceGuard>(clock);
    SingleInstanceGuard *sender = nullptr;
    second->OnAnotherInstance = [&](SingleInstanceGuard *guard) {
        sender = guard;
        // The notice comes first, as the user closes it before anything else happens.
        EXPECT_EQ(notices.size(), 1u);
    };
    second->setDirectory(directory.path());
    second->beginLoading();
    second->setMutex(QStringLiteral("2009/10/22-mutex"));
    second->setMessage(QStringLiteral("2009/10/22-message"));
    second->setText(noticeText);
    second->setTitle(noticeTitle);
    second->setNotice([this](const QString &title, const QString &text) { notices.push_back({title, text}); });
    second->Loaded();

    EXPECT_TRUE(second->anotherInstanceFound());
    EXPECT_FALSE(second->isGuarding());
    EXPECT_EQ(sender, second.get());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].title, noticeTitle);
    EXPECT_EQ(notices[0].text, noticeText);
    EXPECT_TRUE(wakeUps.wait());

    // Once the first copy ends, the next start is a first copy again.
    second.reset();
    first.reset();
    const auto next = loadGuard(QStringLiteral("2009/10/22-mutex"), QStringLiteral("2009/10/22-message"));
    EXPECT_TRUE(next->isGuarding());
    EXPECT_FALSE(next->anotherInstanceFound());
}

TEST_F(SingleInstanceGuardTest, withoutTextOrTitleNoNoticeButStillAWakeUp)
{
    const auto first = loadGuard(QStringLiteral("m"), QStringLiteral("w"));
    QSignalSpy wakeUps(first.get(), &SingleInstanceGuard::wakeUpRequested);

    const auto second = loadGuard(QStringLiteral("m"), QStringLiteral("w"), QString(), QString());

    EXPECT_TRUE(second->anotherInstanceFound());
    EXPECT_TRUE(notices.empty());
    EXPECT_TRUE(wakeUps.wait());
}

TEST_F(SingleInstanceGuardTest, copiesStartedOnDifferentDaysDoNotMeet)
{
    SingleInstanceGuard monday(clock);
    monday.setDirectory(directory.path());
    monday.Loaded();
    clock.set(QDateTime(QDate(2026, 3, 2), QTime(8, 0)));
    SingleInstanceGuard tuesday(clock);
    tuesday.setDirectory(directory.path());
    tuesday.Loaded();

    EXPECT_TRUE(monday.isGuarding());
    EXPECT_TRUE(tuesday.isGuarding());
    EXPECT_FALSE(tuesday.anotherInstanceFound());
}

TEST_F(SingleInstanceGuardTest, disablingReleasesTheLockAndEnablingTakesIt)
{
    const auto later = loadGuard(QStringLiteral("m"), QStringLiteral("w"), noticeText, noticeTitle, false);
    EXPECT_FALSE(later->isGuarding());
    const auto running = loadGuard(QStringLiteral("m"), QStringLiteral("w"));
    ASSERT_TRUE(running->isGuarding());

    running->setEnabled(false);
    EXPECT_FALSE(running->isGuarding());
    later->setEnabled(true);

    EXPECT_TRUE(later->isGuarding());
    EXPECT_FALSE(later->anotherInstanceFound());
    EXPECT_TRUE(notices.empty());
}

TEST_F(SingleInstanceGuardTest, secondProcessEndsAndWakesTheFirstProcess)
{
    QProcess first;
    startHelper(first, directory.path());
    ASSERT_EQ(nextLine(first), QStringLiteral("first"));

    QProcess second;
    startHelper(second, directory.path());
    EXPECT_EQ(nextLine(second), QStringLiteral("notice ") + noticeTitle + QLatin1Char('|') + noticeText);
    EXPECT_EQ(nextLine(second), QStringLiteral("second"));
    EXPECT_TRUE(second.waitForFinished());
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_EQ(nextLine(first), QStringLiteral("woken"));
    first.kill();
    first.waitForFinished();
}

TEST_F(SingleInstanceGuardTest, crashedCopyDoesNotBlockTheNextStart)
{
    QProcess crashed;
    startHelper(crashed, directory.path());
    ASSERT_EQ(nextLine(crashed), QStringLiteral("first"));
    crashed.kill();
    ASSERT_TRUE(crashed.waitForFinished());
    // Its lock file and socket stay behind.
    ASSERT_TRUE(QDir(directory.path()).exists(QStringLiteral("2009_10_22-mutex.lock")));

    QProcess next;
    startHelper(next, directory.path());
    EXPECT_EQ(nextLine(next), QStringLiteral("first"));

    QProcess third;
    startHelper(third, directory.path());
    EXPECT_EQ(nextLine(third), QStringLiteral("notice ") + noticeTitle + QLatin1Char('|') + noticeText);
    EXPECT_EQ(nextLine(third), QStringLiteral("second"));
    EXPECT_EQ(nextLine(next), QStringLiteral("woken"));
    third.waitForFinished();
    next.kill();
    next.waitForFinished();
}
