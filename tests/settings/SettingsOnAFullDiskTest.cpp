#include "components/ProfileFile.h"
#include "common/FullDisk.h"
#include "settings/CustomerOutputSettings.h"
#include "settings/ProductOutputSettings.h"
#include "settings/SettingsFiles.h"
#include "settings/SystemSettings.h"

#include <functional>

namespace {

class SettingsOnAFullDiskTest : public SettingsFilesTest
{
};

} // namespace

TEST_F(SettingsOnAFullDiskTest, eachStoreKeepsTheOldFileWholeAndSaysWhy)
{
    ASSERT_EQ(makeCustomerLabelDirectory(programDir()), QString());
    ProductOutputSettings product;
    product.columns = {"A01", "A02", "A03"};
    CustomerOutputSettings customer;
    customer.columns = {"B01", "B02"};
    struct Case {
        const char *name;
        QString file;
        QByteArray old;
        std::function<QString(ProfileFile &)> store;
    } cases[] = {
        {"system settings", QStringLiteral("SysSet.ini"),
         "[SETTING]\r\nSERVER=127.0.0.1:8080/bar\r\nBRAN_NO=01\r\nPASSWD=pw\r\nOPRICE=1\r\n",
         [&](ProfileFile &ini) {
             return storeSystemSettings(ini, programDir(), SystemSettings{"10.0.0.9/shop", "02", "secret", 0});
         }},
        {"product output settings", QStringLiteral("BarSet.ini"), "[SET]\r\nCHK12=1\r\nPar01=A05\r\n",
         [&](ProfileFile &ini) {
             ini.setFileName(productOutputSettingsPath(programDir()));
             ini.setSection("SET");
             return storeProductOutputSettings(ini, product);
         }},
        {"customer output settings", QStringLiteral("bar2/CustBar.ini"), "[SET]\r\nCHK13=1\r\nPar01=B03\r\n",
         [&](ProfileFile &ini) {
             ini.setFileName(customerOutputSettingsPath(programDir()));
             ini.setSection("SET");
             return storeCustomerOutputSettings(ini, customer);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        put(c.file, c.old);
        for (const rlim_t room : {rlim_t(0), rlim_t(12)}) {
            ProfileFile ini;
            QString error;
            {
                const FullDisk full(room);
                error = c.store(ini);
            }
            EXPECT_FALSE(error.isEmpty());
            EXPECT_EQ(contents(c.file), c.old);
        }
    }
    const QStringList left = QDir(programDir()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, (QStringList{QStringLiteral("BarSet.ini"), QStringLiteral("SysSet.ini")}));
}
