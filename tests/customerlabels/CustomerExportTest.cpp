#include "customerlabels/CustomerExport.h"

#include "MemoryCustomerRows.h"
#include "common/RecordingLauncher.h"
#include "common/RecordingPrompts.h"
#include "components/Big5.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
using namespace CustomerQueueTable;

QByteArray big5(const char *utf8)
{
    return Big5::fromUtf8Literal(utf8);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The worked example's queue: a customer with a barcode and one without.
MemoryCustomerRows workedExample()
{
    MemoryCustomerRows rows;
    rows.rows.append(CustomerRow().text(BAR_NO, "C0001").text(CUST_NO, "M001").quan(2));
    rows.rows.append(CustomerRow().text(CUST_NO, "M002").quan(1));
    return rows;
}

CustomerOutputSettings settings(bool fixedWidth, bool oneLinePerLabel, QList<QByteArray> columns)
{
    CustomerOutputSettings made;
    made.fixedWidth = fixedWidth;
    made.oneLinePerLabel = oneLinePerLabel;
    made.columns = std::move(columns);
    return made;
}
} // namespace

TEST(CustomerExport, writesTheWorkedExampleAndItsVariants)
{
    const QList<QByteArray> example = {big5("條碼(20C)"), big5("客戶代號(20C)"), "#VIP"};
    // 25 Chinese characters after one ASCII byte: the 50-byte cut falls inside the last.
    const QByteArray longName = "A" + big5("歐陽司馬上官皇甫端木令狐慕容長孫宇文諸葛東方尉遲公孫軒轅");
    MemoryCustomerRows zeroQuantity = workedExample();
    zeroQuantity.rows[0].quan(0);
    MemoryCustomerRows named;
    named.rows.append(CustomerRow().text(BAR_NO, "C0013").text(CUST_NAME, longName).quan(1));
    MemoryCustomerRows allFields;
    CustomerRow full;
    for (int field = CUST_NO; field <= BAR_NO; ++field) {
        full.text(field, "f" + QByteArray::number(field));
    }
    allFields.rows.append(full.quan(2.5));

    struct Case {
        const char *name;
        MemoryCustomerRows rows;
        CustomerOutputSettings settings;
        QByteArray expected;
    } cases[] = {
        {"comma", workedExample(), settings(false, false, example), "C0001,M001,VIP,2\r\n"},
        {"one per line", workedExample(), settings(false, true, example), "C0001,M001,VIP,1\r\nC0001,M001,VIP,1\r\n"},
        {"fixed", workedExample(), settings(true, false, example),
         "C0001" + QByteArray(15, ' ') + "M001" + QByteArray(16, ' ') + "VIP2\r\n"},
        {"quantity 0, one per line", zeroQuantity, settings(false, true, example), ""},
        {"quantity 0", zeroQuantity, settings(false, false, example), "C0001,M001,VIP,0\r\n"},
        {"empty column list", workedExample(), settings(false, false, {}), "2\r\n"},
        {"name cut inside a double-byte character", named, settings(true, false, {big5("姓名(50C)")}),
         longName.left(50) + "1\r\n"},
        {"every entry at its caption's width, unknown entries skipped", allFields,
         settings(true, false,
                  {big5("條碼(20C)"), big5("客戶代號(20C)"), big5("姓名(50C)"), big5("公司名稱(100C)"),
                   big5("電話(20C)"), big5("行動(24C)"), big5("會員種類(8C)"), big5("種類名稱(20C)"),
                   big5("地址(100C)"), big5("會員卡號(20C)"), big5("郵遞區號(8C)"), big5("生日")}),
         QByteArray("f11").leftJustified(20) + QByteArray("f1").leftJustified(20) + QByteArray("f2").leftJustified(50) +
             QByteArray("f3").leftJustified(100) + QByteArray("f4").leftJustified(20) +
             QByteArray("f5").leftJustified(24) + QByteArray("f6").leftJustified(8) +
             QByteArray("f7").leftJustified(20) + QByteArray("f9").leftJustified(100) +
             QByteArray("f10").leftJustified(20) + QByteArray("f8").leftJustified(8) + "2.5\r\n"},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const ExportResult result = exportCustomerLabels(c.rows, c.settings, dir.path());
        // A file without a line is never handed to the label program.
        const auto kind = c.expected.isEmpty() ? ExportResult::Kind::NoLines : ExportResult::Kind::Written;
        ASSERT_EQ(result.kind, kind) << result.message.toStdString();
        EXPECT_EQ(readAll(dir.path() + "/bar2/Bars.txt"), c.expected.isEmpty() ? "<missing>" : c.expected);
    }
}

TEST(CustomerExport, runWritesIntoBar2ThenStartsTheProgramOfCustBarIniOrSaysNoneIsSet)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.path() + "/CustBar.INI", "[CustBar]\r\nFN1=/opt/label/cust\r\n"));
    ASSERT_TRUE(writeFile(dir.path() + "/BARPRINT.INI", "[barprint]\r\nFN1=/opt/label/products\r\n"));
    MemoryCustomerRows rows = workedExample();
    RecordingPrompts prompts{true};
    RecordingLauncher launcher;

    runCustomerExport(rows, settings(false, false, {big5("條碼(20C)")}), dir.path(), LabelProgramParameter::Two,
                      prompts, launcher);

    const QString bars = dir.path() + "/bar2/Bars.txt";
    EXPECT_EQ(readAll(bars), "C0001,2\r\n");
    EXPECT_EQ(prompts.calls, (QList<RecordingPrompts::Call>{
                                 {RecordingPrompts::Confirm, "確定轉出要列印的資料 ?"},
                                 {RecordingPrompts::Embossed, "已經送出文字檔" + QDir::toNativeSeparators(bars)}}));
    ASSERT_EQ(launcher.requests.size(), 1);
    EXPECT_EQ(launcher.requests[0].fileName, QStringLiteral("/opt/label/cust"));
    EXPECT_EQ(launcher.requests[0].parameter, QStringLiteral("2"));

    // The product side's program is no customer label program.
    ASSERT_TRUE(QFile::remove(dir.path() + "/CustBar.INI"));
    prompts.calls.clear();
    runCustomerExport(rows, settings(false, false, {big5("條碼(20C)")}), dir.path(), LabelProgramParameter::Two,
                      prompts, launcher);
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed),
              QStringList{"已經送出文字檔" + QDir::toNativeSeparators(bars) +
                          "\n未設定外部條碼程式：在「呼叫外部條碼:」填入路徑"});
    EXPECT_EQ(launcher.requests.size(), 1);
}

TEST(CustomerExport, bar2ThatCannotBeADirectoryFailsAndStartsNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.path() + "/bar2", "not a directory"));
    ASSERT_TRUE(writeFile(dir.path() + "/CustBar.INI", "[CustBar]\r\nFN1=/opt/label/cust\r\n"));
    MemoryCustomerRows rows = workedExample();
    RecordingPrompts prompts{true};
    RecordingLauncher launcher;

    const ExportRun run =
        runCustomerExport(rows, settings(false, false, {}), dir.path(), LabelProgramParameter::None, prompts, launcher);

    EXPECT_EQ(run.result.kind, ExportResult::Kind::Failed);
    EXPECT_TRUE(run.result.message.contains(QStringLiteral("bar2"))) << run.result.message.toStdString();
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{run.result.message});
    EXPECT_TRUE(launcher.requests.isEmpty());
    EXPECT_EQ(readAll(dir.path() + "/bar2"), "not a directory");
}
