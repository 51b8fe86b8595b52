#include "common/RecordingPrompts.h"

#include <gtest/gtest.h>

TEST(RecordingPrompts, recordsEveryPromptAndAnswersFromTheScript)
{
    RecordingPrompts prompts;
    prompts.confirmAnswers = {true};
    Prompts &seam = prompts;

    seam.embossedMessage(QStringLiteral("已是第一筆 !!"));
    EXPECT_TRUE(seam.confirmDestructive(QStringLiteral("確定要全部刪除嗎 ?")));
    EXPECT_FALSE(seam.confirm(QStringLiteral("確定轉出要列印的資料 ?"))) << "the default once the script is used up";
    QObject window;
    seam.forWindow(&window)->plainMessage(QStringLiteral("Table1 無法開啟"));

    const QList<RecordingPrompts::Call> expected = {
        {RecordingPrompts::Embossed, QStringLiteral("已是第一筆 !!")},
        {RecordingPrompts::ConfirmDestructive, QStringLiteral("確定要全部刪除嗎 ?")},
        {RecordingPrompts::Confirm, QStringLiteral("確定轉出要列印的資料 ?")},
        {RecordingPrompts::Plain, QStringLiteral("Table1 無法開啟")},
    };
    EXPECT_EQ(prompts.calls, expected);
    EXPECT_EQ(prompts.calls.first().window, nullptr);
    EXPECT_EQ(prompts.calls.last().window, &window);
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{QStringLiteral("已是第一筆 !!")});
}
