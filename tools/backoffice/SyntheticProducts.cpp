#include "SyntheticProducts.h"

#include "Database.h"

#include <cstdio>
#include <string>

namespace {

struct Style {
    const char *name;
    const char *english;
    const char *category;
};

const Style kStyles[] = {
    {"棉質圓領T恤", "Cotton Crew-neck Tee", "C01"},      {"條紋長袖襯衫", "Striped Long-sleeve Shirt", "C01"},
    {"彈性直筒牛仔褲", "Stretch Straight Jeans", "C02"}, {"休閒卡其長褲", "Chino Trousers", "C02"},
    {"碎花雪紡洋裝", "Floral Chiffon Dress", "C03"},     {"輕量羽絨外套", "Light Down Jacket", "C04"},
    {"連帽運動外套", "Hooded Track Jacket", "C04"},      {"羊毛混紡針織衫", "Wool Blend Cardigan", "C06"},
    {"亞麻寬版襯衫", "Linen Relaxed Shirt", "C01"},      {"高腰百褶裙", "High-waist Pleated Skirt", "C03"},
};

const char *const kCareLines[][8] = {
    {"表布：棉100%", "羅紋：棉95% 彈性纖維5%", "洗滌：30度以下溫水手洗", "不可漂白", "陰乾，避免曝曬", "低溫熨燙",
     "深淺色衣物分開洗滌", "產地：台灣"},
    {"表布：聚酯纖維65% 棉35%", "裡布：聚酯纖維100%", "洗滌：可機洗，請翻面", "不可烘乾", "中溫熨燙", "請勿長時間浸泡",
     "深色衣物單獨洗滌", "產地：越南"},
    {"表布：尼龍100%", "填充：羽絨90% 羽毛10%", "洗滌：中性洗劑手洗", "不可熨燙", "平放陰乾後輕拍蓬鬆", "不可乾洗",
     "收納前請完全乾燥", "產地：中國"},
};

const char *const kColourTriples[][3] = {
    {"WH", "BK", "NV"}, {"KH", "BE", "BK"}, {"GY", "BR", "GN"}, {"PK", "WH", "RD"}};
const char *const kSizes[] = {"S", "M", "L", "XL"};
const char *const kBrands[] = {"K01", "K02", "K03"};
const char *const kSuppliers[] = {"S001", "S002", "S003", "S004"};

std::string ean13(long long serial)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "29%010lld", serial);
    int sum = 0;
    for (int i = 0; i < 12; ++i) {
        sum += (digits[i] - '0') * (i % 2 ? 3 : 1);
    }
    digits[12] = char('0' + (10 - sum % 10) % 10);
    digits[13] = '\0';
    return digits;
}

constexpr int variantsPerGroup = 12;

std::string groupCodeOf(int index)
{
    char code[16];
    std::snprintf(code, sizeof code, "Z%06d", index / variantsPerGroup + 1);
    return code;
}

std::string itemCodeOf(int index)
{
    const int groupIndex = index / variantsPerGroup;
    const int variant = index % variantsPerGroup;
    const char *colour = kColourTriples[groupIndex % std::size(kColourTriples)][variant / 4];
    return groupCodeOf(index) + '-' + colour + '-' + kSizes[variant % 4];
}

} // namespace

void addSyntheticProducts(Database &db, int count)
{
    Statement group = db.prepare(
        "INSERT OR REPLACE INTO item_group VALUES (?, ?, ?, '件', 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '', '',"
        " ?, ?, ?, ?)");
    Statement product = db.prepare("INSERT OR REPLACE INTO product VALUES (?, ?, ?, ?, ?)");
    db.execScript("BEGIN");
    for (int index = 0; index < count; ++index) {
        const int groupIndex = index / variantsPerGroup;
        const int variant = index % variantsPerGroup;
        const std::string groupCode = groupCodeOf(index);
        if (variant == 0) {
            const Style &style = kStyles[groupIndex % std::size(kStyles)];
            const auto &care = kCareLines[groupIndex % std::size(kCareLines)];
            const double price = 290 + (groupIndex % 40) * 50;
            group.reset();
            group.bind(1, groupCode);
            group.bind(2, style.name);
            group.bind(3, style.english);
            group.bind(4, style.category);
            group.bind(5, kBrands[groupIndex % std::size(kBrands)]);
            group.bind(6, kSuppliers[groupIndex % std::size(kSuppliers)]);
            group.bind(7, std::string("SUP-") + groupCode);
            group.bind(8, groupIndex % 5 == 0 ? "新品上市" : "");
            for (int line = 0; line < 8; ++line) {
                group.bind(9 + line, care[line]);
            }
            group.bind(17, price);
            group.bind(18, groupIndex % 3 == 0 ? price - 100 : 0.0);
            group.bind(19, price + 100);
            group.bind(20, price * 0.6);
            group.step();
        }
        product.reset();
        product.bind(1, itemCodeOf(index));
        product.bind(2, ean13(index + 1));
        product.bind(3, groupCode);
        product.bind(4, kColourTriples[groupIndex % std::size(kColourTriples)][variant / 4]);
        product.bind(5, kSizes[variant % 4]);
        product.step();
    }
    db.execScript("COMMIT");
}

void addSyntheticReceipt(Database &db, int lines, int products)
{
    const char *const receipt = "PZ00000001";
    db.execScript("BEGIN");
    Statement clear = db.prepare("DELETE FROM document_line WHERE kind = 'purchase' AND doc_no = ?");
    clear.bind(1, receipt);
    clear.step();
    Statement document = db.prepare(
        "INSERT OR REPLACE INTO document VALUES ('purchase', ?, 'A', '2024/05/01', 'S001', '', '', '', 'N')");
    document.bind(1, receipt);
    document.step();
    Statement line = db.prepare("INSERT INTO document_line VALUES ('purchase', ?, ?, ?, ?)");
    for (int index = 0; index < lines; ++index) {
        line.reset();
        line.bind(1, receipt);
        line.bind(2, double(index + 1));
        line.bind(3, itemCodeOf(index % products));
        line.bind(4, double(index % 12 + 1));
        line.step();
    }
    db.execScript("COMMIT");
}
