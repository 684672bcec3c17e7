// "check": the store's rules over every model of a database, as the window applies them when
// a model is shown and stored unchanged.
#include "Command.h"
#include "DatabaseCommands.h"
#include "model/StoreRules.h"
#include "platform/Errors.h"
#include "platform/Gbk.h"
#include "platform/Strings.h"

#include <sstream>

namespace mm::tool {

namespace {

// The message the window would show on storing the model, or nothing when it stores.
std::optional<std::string> CheckModel(TMyModelRecords& work, int index) {
    try {
        return StoreModel(work, index, StoreInputAsShown(work[static_cast<size_t>(index)]));
    } catch (const Error& error) {
        return std::string(error.what());
    }
}

int Check(const Args& args) {
    RequireArgs(args, 1);
    // The records are a copy of the file's; a store changes only its own record, never an
    // identifier, so the later checks see what the window would.
    TMyModelRecords work = LoadDatabase(args[0]);
    std::ostringstream out;
    size_t failed = 0;
    for (size_t i = 0; i < work.size(); ++i) {
        if (const auto message = CheckModel(work, static_cast<int>(i))) {
            out << Hex4(work[i].ModelID) << ": " << Utf8FromGbk(*message) << '\n';
            ++failed;
        }
    }
    WriteOutput(out.str());
    if (failed != 0)
        throw Failure(args[0], std::to_string(failed) + " of " + std::to_string(work.size()) +
                                   " models fail the store rules");
    return 0;
}

} // namespace

std::vector<TCommand> CheckCommands() {
    return {
        {"check", "DB",
         "store every model unchanged as the window would; print each failing model's ID and "
         "message (exit 1 when any fails)",
         Check},
    };
}

} // namespace mm::tool
