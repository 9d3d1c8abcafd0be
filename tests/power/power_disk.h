// A simulated disk for power-cut tests: it remembers what was synced of every
// file and folder below a root and, at a cut, rewrites the root as a disk
// whose power failed would hold it, then ends the process.
#pragma once

#include <cstdint>
#include <string>

namespace PowerDisk {
// How a process ends at a cut.
constexpr int CutExitCode = 75;

// What a cut keeps of the writes that were not synced.
enum class TCutModel {
    Random, // a random part of each file's unsynced sectors and of each folder's unsynced changes
    Synced, // only what was synced: the worst a disk may do
};

// Watches ARoot from now on; what is on it counts as synced. Registers the
// cutting VFS as SQLite's default.
void Start(const std::string& ARoot, uint64_t ASeed, TCutModel AModel);
// The cut comes before the AEvent-th write, sync or folder change counted
// from the start (0: never).
void CutAt(uint64_t AEvent);
uint64_t Events();
// Rewrites the root as the cut leaves it and ends the process with ACode.
[[noreturn]] void Cut(int ACode);
} // namespace PowerDisk
