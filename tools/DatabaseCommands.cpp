#include "DatabaseCommands.h"

#include "Command.h"
#include "Json.h"
#include "model/ChipKind.h"
#include "model/CodePages.h"
#include "model/Picture.h"
#include "platform/DayCount.h"
#include "platform/Errors.h"
#include "platform/FileLock.h"
#include "platform/FileTarget.h"
#include "platform/Gbk.h"
#include "platform/Strings.h"

#include <sstream>
#include <utility>

namespace mm::tool {

TMyModelRecords LoadDatabase(const std::string& fileName, TModelFileLoad* loaded) {
    TMyModelRecords models;
    const TModelFileLoad load = OnFile(fileName, [&] { return LoadModelFile(fileName, models); });
    if (!load.Exists)
        throw Failure(fileName, "no such file");
    if (!load.Read)
        throw Failure(fileName,
                      "the database could not be read (count out of range or unknown layout)");
    if (loaded)
        *loaded = load;
    return models;
}

const TMyModelRecord& ModelById(const TMyModelRecords& models, const std::string& dbName,
                                const std::string& idText) {
    const int index = FindModelByID(models, ParseModelId(idText));
    if (index < 0)
        throw Failure(dbName, "no model with ID " + Hex4(ParseModelId(idText)));
    return models[static_cast<size_t>(index)];
}

std::string_view StoredPicture(const TMyModelRecord& model, const std::string& dbName) {
    const std::string id = Hex4(model.ModelID);
    if (!HasPicture(model))
        throw Failure(dbName, "model " + id + " has no picture");
    const std::string_view bytes = PictureBytes(model);
    if (bytes.empty())
        throw Failure(dbName, "the picture of model " + id + " is larger than its stored data");
    return bytes;
}

namespace {

template <size_t N> std::string Text(const TShortString<N>& field) {
    return JsonString(Utf8FromGbk(field.Str()));
}

void DumpKey(std::ostream& out, const TBtnInfo& key) {
    out << "{\"Name\": " << Text(key.Name) << ", \"KNo\": " << int{key.KNo}
        << ", \"KeyIdx\": " << key.KeyIdx << ", \"CanotDefine\": " << int{key.CanotDefine}
        << ", \"FollowSno\": " << int{key.FollowSno} << ", \"Reserved\": " << int{key.Reserved}
        << ", \"Learned\": " << int{key.Learned} << ", \"Spare\": [" << int{key.Spare[0]} << ", "
        << int{key.Spare[1]} << "]}";
}

// The code region by chip kind, as far as Blob holds it.
void DumpCodes(std::ostream& out, const TMyModelRecord& m) {
    if (IsFixedCodeKind(m.ChipKind))
        out << ",\n   \"FixedCode\": " << JsonString(Utf8FromGbk(StoredFixedCode(m)));
    if (!IsUniversalKind(m.ChipKind))
        return;
    const char* separator = "";
    out << ",\n   \"UniversalCodes\": [";
    for (uint32_t code : StoredUniversalCodes(m))
        out << std::exchange(separator, ", ") << code;
    separator = "";
    out << "], \"Protocols\": [";
    for (uint16_t number : StoredProtocols(m))
        out << std::exchange(separator, ", ") << number;
    out << "]";
}

void DumpModel(std::ostream& out, const TMyModelRecord& m) {
    out << "{\"ModelType\": " << Text(m.ModelType) << ", \"ModelID\": " << m.ModelID
        << ", \"Remark\": " << Text(m.Remark) << ", \"ChipKind\": " << int{m.ChipKind}
        << ", \"CommType\": " << int{m.CommType} << ", \"KeyCount\": " << int{m.KeyCount}
        << ", \"HasShift\": " << int{m.HasShift} << ", \"OneInTwoCount\": " << int{m.OneInTwoCount}
        << ", \"PageCount\": " << int{m.PageCount} << ", \"PageName\": [";
    for (int p = 0; p < kMaxPages; ++p)
        out << (p ? ", " : "") << Text(m.PageName[p]);
    out << "], \"PicSize\": " << m.PicSize << ", \"UniversalCount\": " << m.UniversalCount
        << ", \"ProtocolCount\": " << m.ProtocolCount << ", \"BlobSize\": " << m.BlobSize
        << ", \"BlobLength\": " << m.Blob.size() << ", \"Spare1\": " << int{m.Spare1}
        << ", \"Spare2\": " << int{m.Spare2} << ", \"Spare3\": " << int{m.Spare3}
        << ",\n   \"BtnInfo\": [";
    for (int k = 0; k < kMaxKeyEntries; ++k) {
        out << (k ? ",\n     " : "");
        DumpKey(out, m.BtnInfo[k]);
    }
    out << "]";
    DumpCodes(out, m);
    out << "}";
}

int Dump(const Args& args) {
    RequireArgs(args, 1);
    uint16_t version = 0;
    TModelFileLoad load;
    const TMyModelRecords models = LoadDatabase(args[0], &load);
    version = load.Version;
    std::ostringstream out;
    out << "{\"version\": " << version << ",\n \"count\": " << models.size() << ",\n \"models\": [";
    for (size_t i = 0; i < models.size(); ++i) {
        out << (i ? ",\n  " : "\n  ");
        DumpModel(out, models[i]);
    }
    out << "]}\n";
    WriteOutput(out.str());
    return 0;
}

int Save(const Args& args) {
    RequireArgs(args, 2);
    // Over its input it is the window's Save: the one writer replaces the file only once the
    // new one is whole, and a database in an older layout is kept as ".bak".
    const bool over = SameFile(args[0], args[1]);
    const TFileLock lock = OnFile(args[1], [&] { return TFileLock(args[1]); });
    TModelFileLoad load;
    TMyModelRecords models = LoadDatabase(args[0], &load);
    MarkReserved(models);
    OnFile(args[1],
           [&] { SaveModelFile(args[1], models, NowAsDayCount(), over && load.KeepOnSave()); });
    return 0;
}

int List(const Args& args) {
    RequireArgs(args, 1);
    std::ostringstream out;
    for (const TMyModelRecord& m : LoadDatabase(args[0])) {
        out << Hex4(m.ModelID) << '\t' << Utf8FromGbk(m.ModelType.Str()) << '\t'
            << Utf8FromGbk(m.Remark.Str()) << '\t' << int{m.KeyCount} << '\t' << int{m.PageCount}
            << '\t' << int{m.ChipKind} << '\t' << int{m.CommType} << '\t' << m.PicSize << '\n';
    }
    WriteOutput(out.str());
    return 0;
}

} // namespace

std::vector<TCommand> DatabaseCommands() {
    return {
        {"dump", "DB", "write the whole database as JSON to standard output", Dump},
        {"save", "DB OUT",
         "load DB and write it to OUT in the current layout (OUT may be DB itself: a database in "
         "an "
         "older layout is then kept as DB.bak)",
         Save},
        {"list", "DB",
         "one tab-separated line per model: ID, name, remark, keys, pages, chip "
         "kind, communication type, picture bytes",
         List},
    };
}

} // namespace mm::tool
