// "demo": a complete data folder made by the program itself, to start from or to try things on.
#include "Command.h"
#include "DemoCatalogue.h"
#include "OffscreenGui.h"
#include "model/ModelFile.h"

#include <filesystem>

namespace mm::tool {

namespace {

// Anything under the name, also a dangling link or a folder.
bool NameIsTaken(const std::string& fileName) {
    std::error_code error;
    return std::filesystem::symlink_status(fileName, error).type() !=
           std::filesystem::file_type::not_found;
}

int Demo(const Args& args) {
    RequireArgs(args, 1);
    std::string dir = args[0];
    if (dir.back() != '/')
        dir += '/';
    const std::string database = ModelDatabasePath(dir);
    if (FileExists(database))
        throw Failure(database, "a model database is already there; nothing was written");
    const TOffscreenGui drawing; // the pictures are drawn, labels and all
    const TDemoCatalogue catalogue = BuildDemoCatalogue();
    // Any file of a catalogue already there may be someone's work: nothing is replaced.
    for (const std::string& file : DemoCatalogueFiles(catalogue, dir))
        if (NameIsTaken(file))
            throw Failure(file, "is already there; nothing was written");
    OnFile(dir + "data", [&] { WriteDemoCatalogue(catalogue, dir); });
    WriteOutput(std::to_string(catalogue.Models.size()) +
                " models, their pictures and hot maps, and a brand table written to " + dir +
                "data\n");
    return 0;
}

} // namespace

std::vector<TCommand> DemoCommands() {
    return {{"demo", "DIR",
             "write a demo catalogue into DIR/data: models of every chip family with pictures, "
             "hot maps and a brand table",
             Demo}};
}

} // namespace mm::tool
