#include "settings/SystemSettings.h"

#include "components/ProfileFile.h"
#include "settings/SettingsFiles.h"

namespace {

class SystemSettingsTest : public SettingsFilesTest
{
protected:
    SystemSettings load(SystemSettings settings)
    {
        loadSystemSettings(ini, programDir(), settings);
        return settings;
    }

    ProfileFile ini;
};

} // namespace

TEST_F(SystemSettingsTest, storedPriceOptionSelectsAnItemOrKeepsTheSelection)
{
    struct Case {
        const char *name;
        QByteArray fileLine; // empty: no OPRICE key
        int selectedBefore;
        int selectedAfter;
    } cases[] = {
        {"0", "OPRICE=0", 1, 0},
        {"1", "OPRICE=1", 0, 1},
        {"5 selects the last item", "OPRICE=5", 0, 1},
        {"-1 selects nothing", "OPRICE=-1", 0, -1},
        {"-7 selects nothing", "OPRICE=-7", 1, -1},
        {"hexadecimal", "OPRICE=0x1", 0, 1},
        {"missing key keeps item 1", "", 1, 1},
        {"missing key keeps no item", "", -1, -1},
        {"not an integer keeps the selection", "OPRICE=12abc", 1, 1},
        {"empty value keeps the selection", "OPRICE=", 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        put(QStringLiteral("SysSet.ini"), "[SETTING]\r\n" + c.fileLine + "\r\n");
        SystemSettings before;
        before.priceOption = c.selectedBefore;
        EXPECT_EQ(load(before).priceOption, c.selectedAfter);
    }
}

TEST_F(SystemSettingsTest, loadEmptiesTheTextsAndTakesOnlyTheKeysFound)
{
    SystemSettings typed{"typed.example", "99", "typedpw", SystemSettings::PriceEditable};

    EXPECT_EQ(load(typed), (SystemSettings{"", "", "", SystemSettings::PriceEditable})) << "no file";

    put(QStringLiteral("sysset.INI"),
        "; shop settings\r\n[setting]\r\nbran_no = " + big5("台北01") + "\r\nPASSWD=\r\n");
    EXPECT_EQ(load(typed), (SystemSettings{"", big5("台北01"), "", SystemSettings::PriceEditable}))
        << "file and key names in any case";
}

TEST_F(SystemSettingsTest, storeWritesTheFourKeysInOrder)
{
    const SystemSettings settings{"shop.example:8080/bar", "01", "pw", SystemSettings::PriceLocked};

    ASSERT_EQ(storeSystemSettings(ini, programDir(), settings), QString());

    EXPECT_EQ(contents(QStringLiteral("SysSet.ini")),
              "[SETTING]\r\nSERVER=shop.example:8080/bar\r\nBRAN_NO=01\r\nPASSWD=pw\r\nOPRICE=0\r\n");
    EXPECT_EQ(load(SystemSettings{}), settings);
}

TEST_F(SystemSettingsTest, storeKeepsOtherLinesAndReplacesOldValues)
{
    put(QStringLiteral("SysSet.ini"), "[OTHER]\r\nX=1\r\n[SETTING]\r\nOPRICE=1\r\nSERVER=old\r\n");
    const SystemSettings settings{"new", big5("店"), "", SystemSettings::NoPriceOption};

    ASSERT_EQ(storeSystemSettings(ini, programDir(), settings), QString());

    EXPECT_EQ(contents(QStringLiteral("SysSet.ini")),
              "[OTHER]\r\nX=1\r\n[SETTING]\r\nOPRICE=-1\r\nSERVER=new\r\nBRAN_NO=" + big5("店") + "\r\nPASSWD=\r\n");
    EXPECT_EQ(load(SystemSettings{}), settings);
}

TEST_F(SystemSettingsTest, failedStoreSaysWhy)
{
    blockFile(QStringLiteral("SysSet.ini"));

    const QString error = storeSystemSettings(ini, programDir(), SystemSettings{"s", "01", "pw", 0});

    EXPECT_TRUE(error.contains(QStringLiteral("SYSSET.INI"), Qt::CaseInsensitive)) << error.toStdString();
}
