#include "Scripts.h"

#include <utility>

namespace Scripts {

ScriptHandler find(std::string_view name)
{
    static const std::pair<std::string_view, ScriptHandler> table[] = {
        {"linktest.php", linkTest},       {"qelvobranseek.php", branches},   {"qelvoitemseek.php", products},
        {"qelvobuyseek.php", purchases},  {"qelvoinvi.php", stockTakes},     {"qelvoallotseek.php", transfersOut},
        {"qelvobuyoseek.php", documents}, {"qelvocust2seek.php", customers},
    };
    for (const auto &entry : table) {
        if (entry.first == name) {
            return entry.second;
        }
    }
    return nullptr;
}

} // namespace Scripts
