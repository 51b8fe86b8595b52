#include "SyntheticCustomers.h"

#include "Database.h"

#include <cstdio>
#include <iterator>
#include <string>

namespace {

const char *const kFamilyNames[] = {"陳", "林", "黃", "張", "李", "王", "吳", "劉", "蔡", "楊"};
const char *const kGivenNames[] = {"志明", "淑芬", "家豪", "美玲", "建國", "雅婷", "俊傑", "怡君", "宗翰", "佩珊"};
const char *const kCompanies[] = {"", "", "", "晶華科技股份有限公司", "好日子設計工作室", "家豪服飾批發行"};
const char *const kStreets[] = {"台北市大安區忠孝東路四段", "台中市西區公益路", "高雄市苓雅區中正一路",
                                "新北市新莊區中正路", "桃園市中壢區中正路"};
const char *const kPostals[] = {"106", "403", "802", "242", "320"};
const char *const kClubs[] = {"V1", "V1", "V2", "V3", "W1"};
const char *const kBranches[] = {"01", "02", "A"};

std::string format(const char *pattern, int a, int b = 0, int c = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

} // namespace

void addSyntheticCustomers(Database &db, int count)
{
    Statement customer = db.prepare("INSERT OR REPLACE INTO customer VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    db.execScript("BEGIN");
    for (int index = 0; index < count; ++index) {
        const int serial = index + 1;
        customer.reset();
        customer.bind(1, format("Y%07d", serial));
        customer.bind(2, std::string(kFamilyNames[index % std::size(kFamilyNames)]) +
                             kGivenNames[(index / 10) % std::size(kGivenNames)]);
        customer.bind(3, kCompanies[index % std::size(kCompanies)]);
        customer.bind(4, format("02-27%02d-%04d", index % 100, serial % 10000));
        customer.bind(5, format("09%02d-%03d-%03d", index % 100, (serial / 1000) % 1000, serial % 1000));
        customer.bind(6, kClubs[index % std::size(kClubs)]);
        customer.bind(7, kPostals[index % std::size(kPostals)]);
        customer.bind(8, std::string(kStreets[index % std::size(kStreets)]) +
                             format("%d號%d樓", serial % 400 + 1, index % 12 + 1));
        customer.bind(9, format("M%07d", serial));
        customer.bind(10, kBranches[index % std::size(kBranches)]);
        customer.bind(11, format("20%02d/%02d/%02d", 20 + index % 5, index % 12 + 1, index % 28 + 1));
        customer.bind(12, format("19%02d/%02d/%02d", 50 + index % 50, (index / 7) % 12 + 1, index % 28 + 1));
        customer.step();
    }
    db.execScript("COMMIT");
}
