#include "components/Big5.h"
#include "components/widgets/OpenHelpPage.h"

#include <QDesktopServices>
#include <QFile>
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
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    OpenHelpPage(QStringLiteral("/opt/barlabel"), QStringLiteral("Bar1Form.htm"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.first(), QUrl::fromLocalFile(QStringLiteral("/opt/barlabel/Bar1Form.htm")));
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
