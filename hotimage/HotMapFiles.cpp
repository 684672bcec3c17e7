#include "HotMapFiles.h"

#include "hotparse.h"
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

void LoadHotMap(const std::string& fileName, THotSpots& spots, THotMapFormat format) {
    if (format == THotMapFormat::Binary)
        spots.LoadFromFile(fileName);
    else
        LoadHotMapText(fileName, spots);
}

void SaveHotMap(const std::string& fileName, const THotSpots& spots, THotMapFormat format) {
    if (format == THotMapFormat::Binary)
        spots.SaveToFile(fileName);
    else
        SaveHotMapText(fileName, spots);
}

std::string ModelHotMapPath(const std::string& exeDir, uint16_t modelId) {
    return exeDir + "data/Model" + Hex4(modelId) + ".hmt";
}

} // namespace mm
