// What a register keeps between its looks at its file, which another copy
// of the program may write to meanwhile.
#pragma once

#include <set>

struct TRegisterSyncState {
    // An entry was left as it was (its editor open): look again next time.
    bool Again = false;
    // The IDs of entries so left whose stored record differed: their edit
    // may meet another copy's change.
    std::set<int> Diverged;
    // Changes brought in that the screens have not been told of.
    bool Unannounced = false;
};
