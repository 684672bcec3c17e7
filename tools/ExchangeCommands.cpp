// Files for other releases and other tools: exchange files, the JSON export, the brand list.
#include "Command.h"
#include "DatabaseCommands.h"
#include "model/CodePages.h"
#include "model/JsonExport.h"
#include "model/RemoteFile.h"
#include "model/uUniversalModel.h"
#include "platform/DayCount.h"
#include "platform/Errors.h"
#include "platform/FileLock.h"
#include "platform/FileTarget.h"
#include "platform/Strings.h"

#include <sstream>

namespace mm::tool {

namespace {

int Identify(const Args& args) {
    RequireArgs(args, 1);
    const auto layout = OnFile(args[0], [&] { return RemoteFileLayout(args[0]); });
    if (!layout)
        throw Failure(args[0], kErrorFileText);
    WriteOutput(std::string(LayoutName(*layout)) + "\n");
    return 0;
}

int Export(const Args& args) {
    RequireArgs(args, 3);
    RefuseSameFile(args[0], args[2]);
    const TMyModelRecords models = LoadDatabase(args[0]);
    const TMyModelRecord& model = ModelById(models, args[0], args[1]);
    OnFile(args[2], [&] { WriteRemoteFile(args[2], model); });
    return 0;
}

struct TImportArgs {
    std::string db;
    std::string out;
    std::vector<std::string> files;
};

TImportArgs ParseImportArgs(const Args& args) {
    TImportArgs parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out") {
            if (++i == args.size())
                throw UsageError("--out needs a file name");
            parsed.out = args[i];
        } else if (parsed.db.empty()) {
            parsed.db = args[i];
        } else {
            parsed.files.push_back(args[i]);
        }
    }
    if (parsed.files.empty())
        throw UsageError("name the database and at least one file to import");
    if (parsed.out.empty())
        parsed.out = parsed.db;
    return parsed;
}

int Import(const Args& args) {
    const TImportArgs parsed = ParseImportArgs(args);
    for (const std::string& file : parsed.files)
        RefuseSameFile(file, parsed.out);
    // Another import or save of the database waits until this one has written it, so neither
    // loses the other's models.
    const TFileLock lock = OnFile(parsed.out, [&] { return TFileLock(parsed.out); });
    // A missing database starts empty, as the window starts with an empty list.
    TMyModelRecords models;
    const TModelFileLoad load = OnFile(parsed.db, [&] { return LoadModelFile(parsed.db, models); });
    if (load.Exists && !load.Read)
        throw Failure(parsed.db, "the database could not be read (count out of range)");
    std::ostringstream ids;
    for (const std::string& file : parsed.files) {
        TMyModelRecord imported;
        if (!OnFile(file, [&] { return ReadRemoteFile(file, imported); }))
            throw Failure(file, kErrorFileText);
        const int index = ImportRemote(models, imported);
        if (index < 0)
            throw Failure(parsed.db, "the database already holds " +
                                         std::to_string(kMaxModelCount) + " models");
        ids << Hex4(models[static_cast<size_t>(index)].ModelID) << "\n";
    }
    MarkReserved(models);
    // Writing over a database read in an older layout keeps the old file, as the window does.
    const bool keepOld = SameFile(parsed.out, parsed.db) && load.KeepOnSave();
    OnFile(parsed.out, [&] { SaveModelFile(parsed.out, models, NowAsDayCount(), keepOld); });
    WriteOutput(ids.str());
    return 0;
}

int Json(const Args& args) {
    RequireArgs(args, 2);
    RefuseSameFile(args[0], args[1]);
    const TMyModelRecords models = LoadDatabase(args[0]);
    OnFile(args[1], [&] { SaveJsonExport(args[1], models); });
    return 0;
}

int Brands(const Args& args) {
    RequireArgs(args, 4);
    RefuseSameFile(args[0], args[3]);
    RefuseSameFile(args[2], args[3]);
    const TMyModelRecords models = LoadDatabase(args[0]);
    const TMyModelRecord& model = ModelById(models, args[0], args[1]);
    const bool codeTabsVisible = model.ChipKind >= 3 && model.ChipKind <= 9;
    const TCodePages pages = CodePagesFromRecord(model, codeTabsVisible);
    if (!pages.BrandTableVisible)
        throw Failure(args[0], "model " + Hex4(model.ModelID) + " has no universal codes");
    TMDFYFile table;
    std::string reason;
    if (ReadBrandFile(args[2], table, &reason) != kBrandFileRead)
        throw Failure(args[2], std::string(kBrandFileErrorText) + ": " + reason);
    const TCodeMap codes = OnFile(args[0], [&] { return CodeMapFromLines(pages.Memo1); });
    OnFile(args[3], [&] { SaveBrandList(args[3], table, codes); });
    return 0;
}

} // namespace

std::vector<TCommand> ExchangeCommands() {
    return {
        {"identify", "FILE",
         "print the layout of a single-remote file (F003, F002, F001, F000, 1237, 1236, 1235, "
         "1234 or oldest)",
         Identify},
        {"export", "DB ID OUT", "write model ID of DB to the single-remote file OUT", Export},
        {"import", "DB FILE... [--out OUT]",
         "append each single-remote file to DB (a taken ID becomes the lowest free one), print "
         "the IDs given, and write the database to OUT or back to DB",
         Import},
        {"json", "DB OUT", "write the JSON export of all models of DB to OUT", Json},
        {"brands", "DB ID REMOTE_DB OUT",
         "write the brand list of model ID's universal codes, using the brand table REMOTE_DB, "
         "to OUT",
         Brands},
    };
}

} // namespace mm::tool
