// Each register entry's place in the register sorted by one of its texts in
// the user's locale, so a schedule's sort of thousands of entries compares
// numbers instead of texts; made again only after the register changed.
#pragma once

#include <cstddef>
#include <vector>

enum TRegisterText { rtPersonName, rtPersonSortingName, rtWorkplaceName, rtWorkplaceShortcut };

// By ID, the entry's rank plus one (entries whose texts sort as equal share
// one), 0 for an ID not in the register or with an empty text. Empty when the
// IDs are too sparse for a table by ID. Valid until the register changes.
const std::vector<int>& RegisterRanks(TRegisterText AText);

// The rank of AID in ARanks; -1 for none.
inline int RankOf(const std::vector<int>& ARanks, int AID)
{
    return AID >= 0 && static_cast<std::size_t>(AID) < ARanks.size() ? ARanks[static_cast<std::size_t>(AID)] - 1 : -1;
}
