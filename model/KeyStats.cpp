#include "KeyStats.h"

#include "platform/IntText.h"
#include "platform/Strings.h"

#include <utility>

namespace mm {

namespace {

void Collect(const std::vector<std::string>& cells, bool isShift, TStatEntries& entries) {
    for (size_t r = 0; r < cells.size(); ++r)
        if (const auto value = TryStrToInt(Trim(cells[r])))
            entries.push_back({*value, static_cast<int32_t>(r + 1), isShift});
}

} // namespace

TStatEntries BuildStats(const std::vector<std::string>& normalCells,
                        const std::vector<std::string>& shiftCells) {
    TStatEntries entries;
    Collect(normalCells, false, entries);
    Collect(shiftCells, true, entries);
    ExchangeSort(entries);
    return entries;
}

void ExchangeSort(TStatEntries& entries) {
    for (size_t i = 0; i < entries.size(); ++i)
        for (size_t j = i + 1; j < entries.size(); ++j)
            if (entries[j].Value < entries[i].Value)
                std::swap(entries[i], entries[j]);
}

std::string StatLine(const TStatEntry& entry) {
    return std::to_string(entry.Value) + "   " + (entry.IsShift ? "S" : "") + " line" +
           std::to_string(entry.Row);
}

std::vector<std::string> StatLines(const TStatEntries& entries) {
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const TStatEntry& entry : entries)
        lines.push_back(StatLine(entry));
    return lines;
}

int StatSelection(const TStatEntries& entries, int row, bool onShift, int remembered) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Row == row && entries[i].IsShift == onShift)
            return static_cast<int>(i);
    if (remembered >= 0 && static_cast<size_t>(remembered) < entries.size())
        return remembered;
    return -1;
}

} // namespace mm
