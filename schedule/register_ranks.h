// Each register entry's place in the register sorted by one of its texts in
// the user's locale, so a schedule's sort of thousands of entries compares
// numbers instead of texts; made again only after the register changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Which register, in which state: equal stamps tell that nothing changed.
struct TRegisterStamp {
    std::uint64_t Serial = 0;
    std::uint64_t Revision = 0;
    std::uint64_t IDEpoch = 0;
    bool operator==(const TRegisterStamp&) const = default;
};

// The workers' register as it is now; Serial 0 without one.
TRegisterStamp PersonsStamp();

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
