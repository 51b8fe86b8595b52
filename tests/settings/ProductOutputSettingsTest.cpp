#include "settings/ProductOutputSettings.h"

#include "components/ProfileFile.h"
#include "settings/SettingsFiles.h"

namespace {

class ProductOutputSettingsTest : public SettingsFilesTest
{
protected:
    void SetUp() override
    {
        SettingsFilesTest::SetUp();
        ini.setFileName(productOutputSettingsPath(programDir()));
        ini.setSection("SET");
    }

    ProductOutputSettings load() { return loadProductOutputSettings(ini); }
    QString store(const ProductOutputSettings &settings) { return storeProductOutputSettings(ini, settings); }

    static QByteArray emptyColumnKeys(int from)
    {
        QByteArray lines;
        for (int number = from; number <= 25; ++number) {
            lines += "Par" + QByteArray::number(number).rightJustified(2, '0') + "=\r\n";
        }
        return lines;
    }

    ProfileFile ini;
};

} // namespace

TEST_F(ProductOutputSettingsTest, catalogueOffersTheThirtyEightEntriesInOrder)
{
    const QList<QByteArray> &catalogue = productColumnCatalogue();

    ASSERT_EQ(catalogue.size(), 38);
    EXPECT_EQ(catalogue.first(), big5("產品條碼(20C)"));
    EXPECT_EQ(catalogue.mid(12, 3),
              (QList<QByteArray>{big5("最後進貨日(5C月日)"), big5("最後進貨日(年月日)"), big5("最後進貨日")}));
    EXPECT_EQ(catalogue.last(), big5("件數(8C)"));
    EXPECT_EQ(QSet<QByteArray>(catalogue.begin(), catalogue.end()).size(), 38) << "no entry twice";
}

TEST_F(ProductOutputSettingsTest, missingFileGivesTheDefaults)
{
    const ProductOutputSettings settings = load();

    EXPECT_EQ(settings, ProductOutputSettings{});
    EXPECT_FALSE(settings.fixedWidth);
    EXPECT_EQ(settings.colourSeparator, "/");
    EXPECT_EQ(settings.sizeSeparator, "/");
    EXPECT_TRUE(settings.columns.isEmpty());
}

TEST_F(ProductOutputSettingsTest, emptyColumnKeysCloseUpAndTheNextStoreRenumbers)
{
    put(QStringLiteral("BarSet.ini"),
        "[SET]\r\nEDIT16=-\r\nEDIT17=\r\nCHK13=1\r\nCHK14=2\r\nCHK16=0\r\nPar01=" + big5("產品條碼(20C)") +
            "\r\nPar02=\r\nPar03=#NT\r\nPar26=" + big5("品名(42C)") + "\r\n");

    ProductOutputSettings settings = load();

    ProductOutputSettings expected;
    expected.sizeSeparator = "-";
    expected.colourSeparator = "";
    expected.fixedWidth = true;
    expected.colourExpansion = true;
    expected.columns = {big5("產品條碼(20C)"), "#NT"};
    EXPECT_EQ(settings, expected);

    settings.fixedWidth = false;
    ASSERT_EQ(store(settings), QString());
    EXPECT_EQ(contents(QStringLiteral("BarSet.ini")),
              "[SET]\r\nEDIT16=-\r\nEDIT17=\r\nCHK13=0\r\nCHK14=1\r\nCHK16=0\r\nPar01=" + big5("產品條碼(20C)") +
                  "\r\nPar02=#NT\r\nPar03=\r\nPar26=" + big5("品名(42C)") + "\r\nCHK12=0\r\nCHK15=0\r\nCHK17=0\r\n" +
                  emptyColumnKeys(4));
}

TEST_F(ProductOutputSettingsTest, storeIntoANewFileWritesEveryKeyInOrder)
{
    ProductOutputSettings settings;
    settings.oneLinePerLabel = true;
    settings.sizeExpansion = true;
    settings.keepOwnSize = true;
    settings.sizeSeparator = ",";
    settings.columns = {big5("品名(42C)"), big5("#棉 T")};

    ASSERT_EQ(store(settings), QString());

    EXPECT_EQ(
        contents(QStringLiteral("BarSet.ini")),
        "[SET]\r\nEDIT16=,\r\nEDIT17=/\r\nCHK12=1\r\nCHK13=0\r\nCHK14=0\r\nCHK15=1\r\nCHK16=1\r\nCHK17=0\r\nPar01=" +
            big5("品名(42C)") + "\r\nPar02=" + big5("#棉 T") + "\r\n" + emptyColumnKeys(3));
    EXPECT_EQ(load(), settings);
}

TEST_F(ProductOutputSettingsTest, twentySevenColumnsKeepTheFirstTwentyFive)
{
    ProductOutputSettings settings;
    for (int number = 1; number <= 27; ++number) {
        settings.columns.append('#' + QByteArray::number(number));
    }

    ASSERT_EQ(store(settings), QString());

    EXPECT_EQ(load().columns, settings.columns.first(25));
    EXPECT_FALSE(contents(QStringLiteral("BarSet.ini")).contains("#26"));
}

TEST_F(ProductOutputSettingsTest, failedStoreSaysWhy)
{
    blockFile(QStringLiteral("BarSet.ini"));

    const QString error = store(ProductOutputSettings{});

    EXPECT_TRUE(error.contains(QStringLiteral("BARSET.INI"), Qt::CaseInsensitive)) << error.toStdString();
}

TEST_F(ProductOutputSettingsTest, customTextLosesSurroundingBlanksOrAddsNothing)
{
    struct Case {
        const char *name;
        QByteArray typed;
        QByteArray entry;
    } cases[] = {
        {"plain", "NT", "#NT"},
        {"blanks around", "  NT  ", "#NT"},
        {"tabs around, blank inside", "\tNT 99\t", "#NT 99"},
        {"Chinese", big5(" 特價品 "), big5("#特價品")},
        {"blanks only", "   ", ""},
        {"empty", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(customTextEntry(c.typed), c.entry);
    }
}

TEST_F(ProductOutputSettingsTest, expansionValuesFollowTheFourBoxes)
{
    struct Case {
        const char *name;
        bool colour, ownColour, size, ownSize;
        QByteArray requestText;
    } cases[] = {
        {"nothing", false, false, false, false, "&c14=&c14a=&s14=&s14a="},
        {"own colour and size without expansion", false, true, false, true, "&c14=&c14a=&s14=&s14a="},
        {"colour", true, false, false, false, "&c14=Y&c14a=/&s14=&s14a="},
        {"own colour", true, true, false, false, "&c14=C&c14a=/&s14=&s14a="},
        {"size", false, false, true, false, "&c14=&c14a=&s14=Y&s14a=-"},
        {"both, own size", true, false, true, true, "&c14=Y&c14a=/&s14=C&s14a=-"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProductOutputSettings settings;
        settings.colourExpansion = c.colour;
        settings.keepOwnColour = c.ownColour;
        settings.sizeExpansion = c.size;
        settings.keepOwnSize = c.ownSize;
        settings.sizeSeparator = "-";
        EXPECT_EQ(expansionValues(settings).requestText(), c.requestText);
    }
}

TEST_F(ProductOutputSettingsTest, separatorGoesOutAsTyped)
{
    ProductOutputSettings settings;
    settings.colourExpansion = true;
    settings.colourSeparator = big5("、 ");

    const ExpansionValues values = expansionValues(settings);

    EXPECT_EQ(values.c14a, big5("、 "));
    EXPECT_EQ(values.s14a, "");
}

TEST_F(ProductOutputSettingsTest, fixedWidthRefusesExpansion)
{
    struct Case {
        const char *name;
        bool fixedWidth, colour, size;
        QString problem;
    } cases[] = {
        {"comma layout with both", false, true, true, QString()},
        {"fixed width alone", true, false, false, QString()},
        {"fixed width with colour", true, true, false, QStringLiteral("依長度區分不適用顏色展開")},
        {"fixed width with size", true, false, true, QStringLiteral("依長度區分不適用尺寸展開")},
        {"fixed width with both: colour first", true, true, true, QStringLiteral("依長度區分不適用顏色展開")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProductOutputSettings settings;
        settings.fixedWidth = c.fixedWidth;
        settings.colourExpansion = c.colour;
        settings.sizeExpansion = c.size;
        EXPECT_EQ(fixedWidthProblem(settings), c.problem);
    }
}
