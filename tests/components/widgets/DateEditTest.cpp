#include "components/widgets/DateEdit.h"

#include "common/RecordingPrompts.h"
#include "components/Clock.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A start and an end date as the conditions dialogs pair them, a field
// between and a cancel button.
class DateEditTest : public ::testing::Test
{
protected:
    DateEditTest()
    {
        auto *layout = new QVBoxLayout(&dialog);
        for (QWidget *widget : std::initializer_list<QWidget *>{start, end, other, cancel}) {
            layout->addWidget(widget);
        }
        start->setCancelButton(cancel);
        QObject::connect(start, &DateEdit::leftWithValidDate, end, [this] { end->setDateText(start->dateText()); });
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void type(DateEdit *field, const QString &keys)
    {
        field->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([field] { return field->hasFocus(); }));
        field->home(false);
        QTest::keyClicks(field, keys);
    }

    RecordingPrompts prompts;
    QDialog dialog;
    DateEdit *start = new DateEdit(prompts, &dialog);
    DateEdit *end = new DateEdit(prompts, &dialog);
    QLineEdit *other = new QLineEdit(&dialog);
    QPushButton *cancel = new QPushButton(QStringLiteral("放棄 &N"), &dialog);
};

} // namespace

TEST_F(DateEditTest, typesDigitsIntoTheMaskAndReadsUnfilledPositionsAsBlanks)
{
    EXPECT_TRUE(start->isBlank());
    EXPECT_EQ(start->dateText(), "    /  /  ");
    EXPECT_EQ(start->displayText(), QStringLiteral("____/__/__"));
    type(start, QStringLiteral("2024x03"));
    EXPECT_EQ(start->dateText(), "2024/03/  ") << "letters are refused, the slashes are passed over";
    EXPECT_FALSE(start->isBlank());
    type(start, QStringLiteral("20240305"));
    EXPECT_EQ(start->dateText(), "2024/03/05");
    start->clearDate();
    EXPECT_TRUE(start->isBlank());
}

TEST_F(DateEditTest, leavingChecksTheDateUnlessTheCancelButtonTakesTheFocus)
{
    const struct {
        const char *name;
        QString keys;
        bool towardsCancel;
        QStringList messages;
        bool focusBack;
        QByteArray endDate;
    } cases[] = {
        {"blank date", QString(), false, {}, false, "    /  /  "},
        {"valid start date is copied", QStringLiteral("20240305"), false, {}, false, "2024/03/05"},
        {"30 February", QStringLiteral("20240230"), false, {QStringLiteral("日期格式錯誤 !!")}, true, "    /  /  "},
        {"month 13", QStringLiteral("20241301"), false, {QStringLiteral("日期格式錯誤 !!")}, true, "    /  /  "},
        {"half a date", QStringLiteral("202403"), false, {QStringLiteral("日期格式錯誤 !!")}, true, "    /  /  "},
        {"malformed towards cancel", QStringLiteral("20241301"), true, {}, false, "    /  /  "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        prompts.calls.clear();
        start->clearDate();
        end->clearDate();
        type(start, c.keys);
        QWidget *next = c.towardsCancel ? static_cast<QWidget *>(cancel) : other;
        next->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), c.messages);
        EXPECT_EQ(start->hasFocus(), c.focusBack);
        EXPECT_EQ(next->hasFocus(), !c.focusBack);
        EXPECT_EQ(end->dateText(), c.endDate);
    }
}

TEST_F(DateEditTest, doubleClickFillsTodayOnlyWhereAsked)
{
    const FixedClock clock(QDateTime(QDate(2024, 4, 9), QTime(10, 0)));
    QTest::mouseDClick(start, Qt::LeftButton);
    EXPECT_TRUE(start->isBlank());

    start->setTodayOnDoubleClick(&clock);
    QTest::mouseDClick(start, Qt::LeftButton);
    EXPECT_EQ(start->dateText(), "2024/04/09");
    EXPECT_TRUE(end->isBlank()) << "the double-click copies nothing";
    EXPECT_TRUE(prompts.calls.isEmpty());
}
