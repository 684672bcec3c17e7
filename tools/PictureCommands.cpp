// The stored picture of a model, written out unchanged.
#include "Command.h"
#include "DatabaseCommands.h"
#include "platform/Errors.h"

namespace mm::tool {

namespace {

int Picture(const Args& args) {
    RequireArgs(args, 3);
    RefuseSameFile(args[0], args[2]);
    const TMyModelRecords models = LoadDatabase(args[0]);
    const std::string_view bytes = StoredPicture(ModelById(models, args[0], args[1]), args[0]);
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
