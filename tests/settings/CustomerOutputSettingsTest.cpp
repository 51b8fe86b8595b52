#include "settings/CustomerOutputSettings.h"

#include "components/ProfileFile.h"
#include "settings/SettingsFiles.h"

namespace {

class CustomerOutputSettingsTest : public SettingsFilesTest
{
protected:
    void SetUp() override
    {
        SettingsFilesTest::SetUp();
        ASSERT_EQ(makeCustomerLabelDirectory(programDir()), QString());
        ini.setFileName(customerOutputSettingsPath(programDir()));
        ini.setSection("SET");
    }

    static QByteArray emptyColumnKeys(int from)
    {
        QByteArray lines;
        for (int number = from; number <= 20; ++number) {
            lines += "Par" + QByteArray::number(number).rightJustified(2, '0') + "=\r\n";
        }
        return lines;
    }

    ProfileFile ini;
};

} // namespace

TEST_F(CustomerOutputSettingsTest, catalogueOffersTheElevenEntriesInOrder)
{
    const QList<QByteArray> &catalogue = customerColumnCatalogue();
    ASSERT_EQ(catalogue.size(), 11);
    EXPECT_EQ(catalogue.first(), big5("條碼(20C)"));
    EXPECT_EQ(catalogue.mid(8), (QList<QByteArray>{big5("地址(100C)"), big5("會員卡號(20C)"), big5("郵遞區號(8C)")}));
}

TEST_F(CustomerOutputSettingsTest, missingFileGivesCommaLayoutOneLinePerRowAndNoColumns)
{
    EXPECT_EQ(loadCustomerOutputSettings(ini), CustomerOutputSettings{});
}

TEST_F(CustomerOutputSettingsTest, emptyColumnKeysCloseUpAndTheNextStoreRenumbers)
{
    put(QStringLiteral("bar2/CustBar.ini"), "[SET]\r\nCHK12=1\r\nCHK13=1\r\nPar01=" + big5("條碼(20C)") +
                                                "\r\nPar02=\r\nPar03=#VIP\r\nPar21=" + big5("姓名(50C)") + "\r\n");

    CustomerOutputSettings settings = loadCustomerOutputSettings(ini);

    CustomerOutputSettings expected;
    expected.oneLinePerLabel = true;
    expected.fixedWidth = true;
    expected.columns = {big5("條碼(20C)"), "#VIP"};
    EXPECT_EQ(settings, expected);

    settings.fixedWidth = false;
    ASSERT_EQ(storeCustomerOutputSettings(ini, settings), QString());
    EXPECT_EQ(contents(QStringLiteral("bar2/CustBar.ini")),
              "[SET]\r\nCHK12=1\r\nCHK13=0\r\nPar01=" + big5("條碼(20C)") +
                  "\r\nPar02=#VIP\r\nPar03=\r\nPar21=" + big5("姓名(50C)") + "\r\n" + emptyColumnKeys(4));
}

TEST_F(CustomerOutputSettingsTest, aStoreKeepsTheFirstTwentyColumns)
{
    CustomerOutputSettings settings;
    for (int entry = 0; entry < 22; ++entry) {
        settings.columns.append(customerColumnCatalogue().at(entry % 11));
    }
    ASSERT_EQ(storeCustomerOutputSettings(ini, settings), QString());
    EXPECT_EQ(loadCustomerOutputSettings(ini).columns, settings.columns.first(20));
}

TEST_F(CustomerOutputSettingsTest, missingBar2DirectoryIsMadeAndAFailedStoreIsReported)
{
    QDir(programDir()).rmdir(QStringLiteral("bar2"));
    ASSERT_EQ(makeCustomerLabelDirectory(programDir()), QString());
    EXPECT_TRUE(QFileInfo(programDir() + "/bar2").isDir());

    blockFile(QStringLiteral("bar2/CustBar.ini"));
    EXPECT_NE(storeCustomerOutputSettings(ini, CustomerOutputSettings{}), QString());

    put(QStringLiteral("occupied"), "a file where the directory should be");
    EXPECT_TRUE(makeCustomerLabelDirectory(programDir() + "/occupied").contains(QStringLiteral("無法建立目錄")));
}
