#include "HotMapFormats.h"

#include "platform/Errors.h"
#include "platform/Strings.h"

#include <cstring>

namespace mm {

THotMapFormat HotMapFormatOfName(const std::string& fileName) {
    const size_t dot = fileName.find_last_of("./");
    const bool binary = dot != std::string::npos && fileName[dot] == '.' &&
                        SameText(std::string_view(fileName).substr(dot), ".hmp");
    return binary ? THotMapFormat::Binary : THotMapFormat::Text;
}

THotMapFormat HotMapFormatOfContent(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    char start[4] = {};
    const bool binary = stream.Read(start, sizeof start) == sizeof start &&
                        (std::memcmp(start, "HMAP", 4) == 0 || std::memcmp(start, "HMAp", 4) == 0);
    return binary ? THotMapFormat::Binary : THotMapFormat::Text;
}

void RequireBoundedWork(THotSpots& spots, const std::string& nameInErrors) {
    int64_t work = 0;
    for (int i = 0; i < spots.Count(); ++i) {
        const TSpot& spot = *spots.Items(i);
        work += spot.RegionWork();
        if (work <= kMaxMapRegionWork)
            continue;
        const std::string reason = "Its outlines need more than " +
                                   std::to_string(kMaxMapRegionWork) +
                                   " rows of drawing work; the limit is passed at spot " +
                                   std::to_string(i) + " (ID " + std::to_string(spot.ID) + ").";
        spots.Clear();
        throw FileReadError(nameInErrors, reason);
    }
}

void LoadHotMap(const std::string& fileName, THotSpots& spots, THotMapFormat format) {
    try {
        if (format == THotMapFormat::Binary)
            spots.LoadFromFile(fileName);
        else
            LoadHotMapText(fileName, spots);
    } catch (...) {
        RequireBoundedWork(spots, fileName); // the spots read before the error stay
        throw;
    }
    RequireBoundedWork(spots, fileName);
}

void SaveHotMap(const std::string& fileName, const THotSpots& spots, THotMapFormat format) {
    if (format == THotMapFormat::Binary)
        spots.SaveToFile(fileName);
    else
        SaveHotMapText(fileName, spots);
}

void LoadHotMapByContent(const std::string& fileName, THotSpots& spots) {
    LoadHotMap(fileName, spots, HotMapFormatOfContent(fileName));
}

std::string ModelHotMapPath(const std::string& exeDir, uint16_t modelId) {
    return exeDir + "data/Model" + Hex4(modelId) + ".hmt";
}

} // namespace mm
