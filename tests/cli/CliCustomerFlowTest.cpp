#include "common/CliWorkspace.h"
#include "components/Big5.h"

namespace {
QByteArray big5(const char *utf8)
{
    return Big5::fromUtf8Literal(utf8);
}

using CliCustomerFlowTest = CliWorkspace;
} // namespace

TEST_F(CliCustomerFlowTest, importsFromTheBackOfficeThenExportsBar2BarsTxt)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    const CliResult withoutQueue = cli({"check", "customers"});
    EXPECT_EQ(withoutQueue.exitCode, 1);
    EXPECT_TRUE(withoutQueue.err.contains(QStringLiteral("bar2.DBF"))) << withoutQueue.err.toStdString();
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    ASSERT_TRUE(QDir(programDir).mkpath(QStringLiteral("bar2")));
    ASSERT_TRUE(writeFile(programDir + "/bar2/CustBar.ini", "[SET]\r\nCHK13=0\r\nPar01=" + big5("條碼(20C)") +
                                                                "\r\nPar02=" + big5("姓名(50C)") + "\r\n"));

    struct Refusal {
        const char *name;
        QStringList arguments;
        QString message;
    } refusals[] = {
        {"malformed start date", {"--sdat", "2024/02/30"}, QStringLiteral("日期格式錯誤 !!")},
        {"malformed end date", {"--edat", "2024/13/01"}, QStringLiteral("日期格式錯誤 !!")},
        {"date longer than the field", {"--sdat", "2024/01/011"}, QStringLiteral("日期格式錯誤 !!")},
        {"date with a character Big5 lacks", {"--edat", "2024/01/0\u0e01"}, QStringLiteral("日期格式錯誤 !!")},
        {"branch the list does not offer", {"--tbran", "09"}, QStringLiteral("--tbran 09")},
    };
    for (const Refusal &r : refusals) {
        SCOPED_TRACE(r.name);
        const CliResult run = cli(QStringList{"import", "customer"} + r.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(r.message)) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains(QStringLiteral("rows added"))) << run.out.toStdString();
    }

    // --scust alone is copied into ecust: one customer.
    CliResult run = cli({"import", "customer", "--scust", "C0002", "--copies", "3"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("客戶資料引入完成\n1 rows added to bar2.DBF")))
        << run.out.toStdString();
    // The member card number as barcode; a start date alone is copied into edat.
    run = cli({"import", "customer", "--sdat", "2024/04/06", "--card-barcode"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("1 rows added"))) << run.out.toStdString();
    // A store sees only its own customers; no match is quiet.
    run = cli({"import", "customer", "--scust", "C0001", "--ecust", "C0002"}, QStringLiteral("02"),
              QStringLiteral("5678"));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("0 rows added to bar2.DBF\n"));

    // The check reads the same rows and settings and writes nothing.
    run = cli({"check", "customers"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 rows, 2 lines, 4 labels\n"));
    const QByteArray settings = readAll(programDir + "/bar2/CustBar.ini");
    ASSERT_TRUE(writeFile(programDir + "/bar2/CustBar.ini", settings + "Par03=#a,b\r\n"));
    run = cli({"check", "customers"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("0\t#a,b\terror\t"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("\n2 rows, 2 lines, 4 labels\n"))) << run.out.toStdString();
    ASSERT_TRUE(writeFile(programDir + "/bar2/CustBar.ini", settings));
    EXPECT_FALSE(QFile::exists(programDir + "/bar2/Bars.txt"));

    run = cli({"export", "customers", "--no-launch"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString bars = programDir + "/bar2/Bars.txt";
    EXPECT_TRUE(run.out.contains(QStringLiteral("已經送出文字檔") + bars)) << run.out.toStdString();
    EXPECT_EQ(readAll(bars), "C0002," + big5("林美玲") + ",3\r\nM000105," + big5("吳佳蓉") + ",1\r\n");
}

TEST_F(CliCustomerFlowTest, longTextsAreCutToTheTableWidths)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    ASSERT_TRUE(QDir(programDir).mkpath(QStringLiteral("bar2")));
    ASSERT_TRUE(writeFile(programDir + "/bar2/CustBar.ini", "[SET]\r\nCHK13=1\r\nPar01=" + big5("條碼(20C)") +
                                                                "\r\nPar02=" + big5("公司名稱(100C)") + "\r\n"));

    // The long company is cut to the table's 100 bytes.
    CliResult run = cli({"import", "customer", "--scust", "C0014"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = cli({"export", "customers", "--no-launch"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray company = big5(
        "台灣優質紡織成衣暨國際時尚精品零售連鎖事業股份有限公司台北市第一分公司信義旗艦店營業部門會員服務暨採購課");
    EXPECT_EQ(readAll(programDir + "/bar2/Bars.txt"),
              QByteArray("C0014").leftJustified(20) + company.left(100) + "1\r\n");
}
