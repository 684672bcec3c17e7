#pragma once
// The "KeyIdx info" statistics: the numbers of one key column with their rows, in ascending
// order, as the lines of the statistics list.
#include <cstdint>
#include <string>
#include <vector>

namespace mm {

struct TStatEntry {
    int32_t Value;
    int32_t Row; // grid row, 1-based
    bool IsShift;

    bool operator==(const TStatEntry&) const = default;
};

using TStatEntries = std::vector<TStatEntry>;

// Entries (value, row, false) for every Normal cell that is an integer text once trimmed,
// then (value, row, true) for the SHIFT cells; other cells are left out. Sorted by ExchangeSort.
// KeyIdx statistics pass the SHIFT column only while "Has Shift" is ticked; S No statistics
// pass none.
TStatEntries BuildStats(const std::vector<std::string>& normalCells,
                        const std::vector<std::string>& shiftCells = {});

// Ascending by Value: for each position i, each later entry with a smaller Value is swapped
// into i. Equal values keep the order this exchange leaves them in.
void ExchangeSort(TStatEntries& entries);

// "5    line3" for a Normal entry, "5   S line3" for a SHIFT entry.
std::string StatLine(const TStatEntry& entry);
std::vector<std::string> StatLines(const TStatEntries& entries);

// The line to select after a rebuild: the entry of the row on the given grid, else the
// position selected before (-1 for none) while the list still has it; -1 for no selection.
int StatSelection(const TStatEntries& entries, int row, bool onShift, int remembered);

} // namespace mm
