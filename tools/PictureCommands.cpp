// The stored picture of a model, written out unchanged.
#include "Command.h"
#include "DatabaseCommands.h"
#include "model/Picture.h"
#include "platform/Errors.h"
#include "platform/Strings.h"

namespace mm::tool {

namespace {

int Picture(const Args& args) {
    RequireArgs(args, 3);
    const TMyModelRecords models = LoadDatabase(args[0]);
    const TMyModelRecord& model = ModelById(models, args[0], args[1]);
    const std::string id = Hex4(model.ModelID);
    if (!HasPicture(model))
        throw Failure(args[0], "model " + id + " has no picture");
    const std::string_view bytes = PictureBytes(model);
    if (bytes.empty())
        throw Failure(args[0], "the picture of model " + id + " is larger than its stored data");
    OnFile(args[2], [&] { WriteWholeFile(args[2], bytes.data(), bytes.size()); });
    return 0;
}

} // namespace

std::vector<TCommand> PictureCommands() {
    return {
        {"picture", "DB ID OUT", "write the stored JPEG picture of model ID to OUT, unchanged",
         Picture},
    };
}

} // namespace mm::tool
