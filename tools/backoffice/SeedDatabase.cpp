#include "SeedDatabase.h"

#include "Database.h"
#include "SeedSql.h"
#include "components/Big5.h"

#include <string>
#include <vector>

namespace {

void checkBig5(Database &db)
{
    std::vector<std::string> tables;
    Statement names = db.prepare("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (names.step()) {
        tables.emplace_back(names.text(0));
    }
    for (const std::string &table : tables) {
        // Table names come from the schema itself, never from a request.
        Statement rows = db.prepare("SELECT * FROM \"" + table + "\"");
        while (rows.step()) {
            for (int column = 0; column < rows.columnCount(); ++column) {
                const std::string_view text = rows.text(column);
                const Big5::Encoding encoded = Big5::encode(QString::fromUtf8(text.data(), qsizetype(text.size())));
                if (!encoded.ok()) {
                    throw DatabaseError("seed text is not Big5-encodable in table " + table + ", column " +
                                        std::to_string(column) + ": " + std::string(text));
                }
            }
        }
    }
}

} // namespace

bool seedIfEmpty(Database &db)
{
    if (db.hasTable("product")) {
        return false;
    }
    db.execScript(reinterpret_cast<const char *>(kSeedSql));
    checkBig5(db);
    return true;
}
