#include "components/HelpPage.h"

#include "common/FakeOpener.h"
#include "components/Big5.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <optional>

TEST(HelpPage, opensThePageWithTheOpenerAndTellsWhyItCannot)
{
    QTemporaryDir programDir;
    const QString path = programDir.filePath(QStringLiteral("Bar1Form.htm"));
    const QString cannot = QStringLiteral("無法開啟說明文件 ") + QDir::toNativeSeparators(path) + QStringLiteral("：");
    const struct {
        const char *name;
        bool pageThere;
        std::optional<int> exitCode; // none: no opener installed
        QString told;
    } cases[] = {
        {"opened", true, 0, QString()},
        {"no viewer for the page", true, 3, cannot + QStringLiteral("沒有可以開啟它的程式")},
        {"the opener failed", true, 4, cannot + QStringLiteral("xdg-open 結束代碼 4")},
        {"no opener", true, std::nullopt, cannot + QStringLiteral("沒有可以開啟它的程式（找不到 xdg-open）")},
        {"no page", false, 0, QStringLiteral("找不到說明文件 ") + QDir::toNativeSeparators(path)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        if (c.pageThere) {
            QFile page(path);
            ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        }
        const FakeOpener opener(c.exitCode);
        QObject asking;
        std::optional<QString> told;
        openHelpPage(programDir.path(), QStringLiteral("Bar1Form.htm"), &asking,
                     [&told](const QString &failure) { told = failure; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return told.has_value(); }, 10000));
        EXPECT_EQ(*told, c.told);
        EXPECT_EQ(opener.opened(), c.pageThere && c.exitCode ? QStringList{path} : QStringList());
    }
}

TEST(HelpPage, builtPageIsBig5BesideThePrograms)
{
    QFile page(qEnvironmentVariable("BARLABEL_BIN_DIR") + QStringLiteral("/Bar1Form.htm"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
    const QByteArray bytes = page.readAll();
    EXPECT_TRUE(bytes.contains("<meta charset=\"big5\">"));
    EXPECT_TRUE(bytes.contains(Big5::fromUtf8Literal("條碼列印作業")));
    const QString text = Big5::decode(bytes);
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
    for (const char *topic : {"商品條碼列印", "客戶條碼列印", "F12", "Ctrl</kbd>+<kbd>Delete", "Esc"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
    }
}
