// "hotmap check": a model's keys against a hot map, one finding per line.
#include "DatabaseCommands.h"
#include "HotmapCommands.h"
#include "hotimage/core/HotMapCheck.h"
#include "platform/Gbk.h"

#include <sstream>

namespace mm::tool {

namespace {

// One key of the table: its place as the key grids show it, and its entry.
struct TKeyPlace {
    const char* layer; // "normal" or "SHIFT"
    int row;           // 1-based
    const TBtnInfo* key;
};

std::string Counted(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::vector<TKeyPlace> KeyPlaces(const TMyModelRecord& model) {
    const int normal = std::min(NormalCount(model), kMaxKeyEntries);
    std::vector<TKeyPlace> places;
    for (int i = 0; i < normal; ++i)
        places.push_back({"normal", i + 1, &model.BtnInfo[i]});
    if (model.HasShift == 1)
        for (int i = 0; i < normal && normal + i < kMaxKeyEntries; ++i)
            places.push_back({"SHIFT", i + 1, &model.BtnInfo[normal + i]});
    return places;
}

} // namespace

int HotmapCheck(const Args& args) {
    RequireArgs(args, 3);
    const TMyModelRecords models = LoadDatabase(args[0]);
    const TMyModelRecord& model = ModelById(models, args[0], args[1]);
    THotSpots spots;
    LoadMap(args[2], spots);
    const std::vector<TKeyPlace> places = KeyPlaces(model);
    std::vector<int32_t> keyIndexes;
    for (const TKeyPlace& place : places)
        keyIndexes.push_back(place.key->KeyIdx);
    const THotMapFindings findings =
        OnFile(args[2], [&] { return CheckHotMap(keyIndexes, spots); });

    std::ostringstream out;
    for (int k : findings.KeysWithoutOutline) {
        const TKeyPlace& place = places[static_cast<size_t>(k)];
        out << "key " << place.key->KeyIdx << " (" << place.layer << " " << place.row << ", "
            << Utf8FromGbk(place.key->Name.Str()) << "): no enabled spot outlines it\n";
    }
    for (int s : findings.SpotsWithoutKey)
        out << "spot " << s << " (ID " << spots.Items(s)->ID << "): no key has this index\n";
    for (int s : findings.EmptySpots)
        out << "spot " << s << " (ID " << spots.Items(s)->ID << "): empty outline\n";
    WriteOutput(out.str());
    if (!findings.Empty())
        throw Failure(
            args[2],
            Counted(findings.KeysWithoutOutline.size(), "key", "keys") + " without an outline, " +
                Counted(findings.SpotsWithoutKey.size(), "spot", "spots") + " without a key, " +
                Counted(findings.EmptySpots.size(), "empty outline", "empty outlines"));
    return 0;
}

} // namespace mm::tool
