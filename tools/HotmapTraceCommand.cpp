// "hotmap trace": outlines proposed for a model's picture, one spot per button found, each
// given the key whose name is printed on it.
#include "DatabaseCommands.h"
#include "HotmapCommands.h"
#include "platform/Strings.h"
#include "trace/LabelReader.h"
#include "trace/Trace.h"

namespace mm::tool {

int HotmapTrace(const Args& args) {
    Args files;
    const std::optional<THotMapFormat> to = FormatOption(args, files);
    RequireArgs(files, 3);
    RefuseSameFile(files[0], files[2]);
    const TMyModelRecords models = LoadDatabase(files[0]);
    const TMyModelRecord& model = ModelById(models, files[0], files[1]);
    const QImage picture = DecodedPicture(model, files[0]);
    TTraceResult traced;
    try {
        traced = TracePicture(picture, TraceKeysOf(model));
    } catch (const TraceError& error) {
        throw Failure(files[0],
                      "model " + Hex4(model.ModelID) + " was not traced: " + error.what());
    }
    THotSpots spots;
    for (const TSpotData& spot : traced.Spots)
        spots.Add(std::make_unique<TSpot>(spot));
    SaveMap(files[2], spots, to);
    WriteOutput(std::to_string(traced.Spots.size()) + " outlines found, " +
                std::to_string(traced.Matched) + " matched to keys\n");
    return 0;
}

} // namespace mm::tool
