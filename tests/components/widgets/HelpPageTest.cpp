#include "components/Big5.h"
#include "components/widgets/OpenHelpPage.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

TEST(OpenHelpPage, opensThePageInTheProgramDirectory)
{
    QTemporaryDir programDir;
    QFile page(programDir.filePath(QStringLiteral("Bar1Form.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    EXPECT_EQ(OpenHelpPage(programDir.path(), QStringLiteral("Bar1Form.htm")), QString());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.first(), QUrl::fromLocalFile(page.fileName()));
}

TEST(OpenHelpPage, aPageThatCannotBeOpenedIsReported)
{
    QTemporaryDir programDir;
    const QString path = QDir::toNativeSeparators(programDir.filePath(QStringLiteral("Bar1Form.htm")));
    EXPECT_EQ(OpenHelpPage(programDir.path(), QStringLiteral("Bar1Form.htm")),
              QStringLiteral("找不到說明文件 ") + path);

    QFile page(path);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    // The test platform has no viewer for documents, as a PC without one.
    EXPECT_EQ(OpenHelpPage(programDir.path(), QStringLiteral("Bar1Form.htm")),
              QStringLiteral("無法開啟說明文件 %1：沒有可以開啟它的程式").arg(path));
}

TEST(OpenHelpPage, builtPageIsBig5BesideThePrograms)
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

#include "HelpPageTest.moc"
