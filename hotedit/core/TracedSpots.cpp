#include "TracedSpots.h"

#include <QString>
#include <algorithm>

namespace mm {

namespace {

int64_t AreaOf(const QRegion& region) {
    int64_t area = 0;
    for (const QRect& r : region)
        area += int64_t{r.width()} * r.height();
    return area;
}

} // namespace

std::vector<TSpotData> NewProposals(const THotSpots& existing,
                                    const std::vector<TSpotData>& proposals) {
    std::vector<QRegion> taken;
    std::vector<int64_t> takenAreas;
    for (int i = 0; i < existing.Count(); ++i) {
        taken.push_back(existing.Items(i)->CreateRegion());
        takenAreas.push_back(AreaOf(taken.back()));
    }
    std::vector<TSpotData> added;
    for (const TSpotData& proposal : proposals) {
        const QRegion region = TSpot(proposal).CreateRegion();
        const int64_t area = AreaOf(region);
        bool overlaps = false;
        for (size_t i = 0; i < taken.size() && !overlaps; ++i) {
            const int64_t smaller = std::min(area, takenAreas[i]);
            overlaps = smaller > 0 && 2 * AreaOf(region.intersected(taken[i])) > smaller;
        }
        if (!overlaps)
            added.push_back(proposal);
    }
    return added;
}

int AddTracedSpots(THotMapDocument& document, const std::vector<TSpotData>& proposals) {
    const std::vector<TSpotData> added = NewProposals(document.Spots(), proposals);
    if (added.empty())
        return 0;
    const int count = static_cast<int>(added.size());
    document.UndoStack().beginMacro(
        QString("Trace %1 %2").arg(count).arg(count == 1 ? "outline" : "outlines"));
    for (const TSpotData& spot : added)
        document.Append(spot);
    document.UndoStack().endMacro();
    return count;
}

} // namespace mm
