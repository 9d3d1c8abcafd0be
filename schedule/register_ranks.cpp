#include "schedule/register_ranks.h"

#include "core/collation.h"
#include "data/person_man.h"
#include "data/workplace_man.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

struct TRankTable {
    TRegisterStamp Stamp;
    QLocale Locale{QLocale::C};
    std::vector<int> Ranks;
};

template <class TList>
TRegisterStamp StampOf(const TList* AList)
{
    if (!AList)
        return {};
    return {AList->Serial(), AList->Revision(), SCItemIDEpoch().load(std::memory_order_relaxed)};
}

template <class TList, class TItem>
const std::vector<int>& Ranks(TRankTable& ATable, const TList* AList, const QString& (TItem::*AText)() const)
{
    static const std::vector<int> none;
    if (!AList)
        return none;
    const TRegisterStamp stamp = StampOf(AList);
    const QLocale locale;
    if (ATable.Stamp == stamp && ATable.Locale == locale)
        return ATable.Ranks;
    ATable.Stamp = stamp;
    ATable.Locale = locale;
    ATable.Ranks.clear();
    const int count = AList->Count();
    int maxID = 0;
    for (int i = 0; i < count; ++i)
        maxID = std::max(maxID, AList->Items(i)->ID());
    // Sparse IDs would make a table larger than the register is worth.
    if (maxID > 16 * count + 4096)
        return ATable.Ranks;
    const TLocaleSortKeys sortKey;
    std::vector<std::pair<QCollatorSortKey, int>> keys;
    keys.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const TItem* item = AList->Items(i);
        if (item->ID() > 0 && !(item->*AText)().isEmpty())
            keys.emplace_back(sortKey((item->*AText)()), item->ID());
    }
    std::stable_sort(
        keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    ATable.Ranks.assign(static_cast<std::size_t>(maxID) + 1, 0);
    int rank = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && keys[i - 1].first.compare(keys[i].first) != 0)
            rank = static_cast<int>(i);
        int& slot = ATable.Ranks[static_cast<std::size_t>(keys[i].second)];
        // An ID held twice keeps the place of its first entry.
        if (slot == 0)
            slot = rank + 1;
    }
    return ATable.Ranks;
}

} // namespace

TRegisterStamp PersonsStamp()
{
    const TPersonMan* persons = TPersonMan::Instance();
    return StampOf(persons ? persons->PersonList() : nullptr);
}

const std::vector<int>& RegisterRanks(TRegisterText AText)
{
    static std::array<TRankTable, 4> tables;
    TRankTable& table = tables[static_cast<std::size_t>(AText)];
    const TPersonMan* persons = TPersonMan::Instance();
    const TWorkplaceMan* workplaces = TWorkplaceMan::Instance();
    switch (AText) {
    case rtPersonName:
        return Ranks(table, persons ? persons->PersonList() : nullptr, &TPerson::Name);
    case rtPersonSortingName:
        return Ranks(table, persons ? persons->PersonList() : nullptr, &TPerson::SortingName);
    case rtWorkplaceName:
        return Ranks(table, workplaces ? workplaces->WorkplaceList() : nullptr, &TWorkplace::Name);
    case rtWorkplaceShortcut:
        return Ranks(table, workplaces ? workplaces->WorkplaceList() : nullptr, &TWorkplace::Shortcut);
    }
    return table.Ranks;
}
