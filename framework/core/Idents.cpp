#include "Idents.h"

#include <mutex>
#include <utility>
#include <vector>

#include "SysUtils.h"

namespace tf {

namespace {
struct IdentTables {
    std::mutex lock;
    std::vector<std::pair<const TIdentMapEntry*, int>> tables;
};
IdentTables& Tables()
{
    static IdentTables t;
    return t;
}
} // namespace

void RegisterIntegerIdents(const TIdentMapEntry* table, int count)
{
    IdentTables& t = Tables();
    std::lock_guard<std::mutex> g(t.lock);
    for (const auto& entry : t.tables)
        if (entry.first == table) return;
    t.tables.emplace_back(table, count);
}

bool IdentToInt(const std::string& ident, int32_t& value)
{
    IdentTables& t = Tables();
    std::lock_guard<std::mutex> g(t.lock);
    for (const auto& [table, count] : t.tables)
        for (int i = 0; i < count; ++i)
            if (SameTextAscii(table[i].Name, ident)) {
                value = table[i].Value;
                return true;
            }
    return false;
}

bool IntToIdent(int32_t value, std::string& ident)
{
    IdentTables& t = Tables();
    std::lock_guard<std::mutex> g(t.lock);
    for (const auto& [table, count] : t.tables)
        for (int i = 0; i < count; ++i)
            if (table[i].Value == value) {
                ident = table[i].Name;
                return true;
            }
    return false;
}

} // namespace tf
