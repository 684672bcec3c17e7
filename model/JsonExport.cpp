#include "JsonExport.h"

#include "platform/FileWriter.h"
#include "platform/Strings.h"

#include <algorithm>
#include <charconv>

namespace mm {

namespace {

// Appends text and numbers; fixed pieces carry their own CR LF line ends.
class TJsonWriter {
public:
    explicit TJsonWriter(std::string& out) : out_(out) {}

    template <size_t N> TJsonWriter& operator<<(const char (&text)[N]) {
        out_.append(text, N - 1);
        return *this;
    }
    TJsonWriter& operator<<(std::string_view text) {
        out_ += text;
        return *this;
    }
    TJsonWriter& operator<<(int value) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        out_.append(digits, end);
        return *this;
    }

private:
    std::string& out_;
};

template <size_t N> std::string Trimmed(const TShortString<N>& field) {
    return Trim(field.Str());
}

// One key item: it starts and ends with a line break of its own, so consecutive items are
// parted by an empty line.
void WriteKey(TJsonWriter& out, const TBtnInfo& key) {
    out << "\r\n\t\t{"
           "\r\n\t\t\t\"Name\":\""
        << Trimmed(key.Name) << "\","
        << "\r\n\t\t\t\"KNo\":" << key.KNo << ","
        << "\r\n\t\t\t\"KeyIdx\":" << key.KeyIdx - 1 << ","
        << "\r\n\t\t\t\"Folow\":" << key.FollowSno << "\r\n\t\t}";
}

void WriteModel(TJsonWriter& out, const TMyModelRecord& m, bool last) {
    out << "{\r\n"
           "\t\"ModelType\":\""
        << Trimmed(m.ModelType) << "\",\r\n"
        << "\t\"ModelID\":\"" << Hex4(m.ModelID) << "\",\r\n"
        << "\t\"ChipKind\":" << m.ChipKind << ",\r\n"
        << "\t\"PageCount\":\"" << m.PageCount << "\",\r\n"
        << "\t\"HasShift\":" << (m.HasShift != 0 ? 1 : 0) << ",\r\n"
        << "\t\"PageName\":[";
    // A count beyond the tables is a damaged record: list what the tables hold.
    const int pages = std::min<int>(m.PageCount, kMaxPages);
    for (int p = 0; p < pages; ++p)
        out << (p ? ",\"" : "\"") << Trimmed(m.PageName[p]) << "\"";
    out << "],\r\n"
           "\t\"btnInfo\":[";
    const int keys = std::min<int>(m.KeyCount, kMaxKeyEntries);
    for (int k = 0; k < keys; ++k) {
        WriteKey(out, m.BtnInfo[k]);
        out << (k + 1 < keys ? ",\r\n" : "\r\n");
    }
    out << "]\r\n" << (last ? "}\r\n" : "},\r\n");
}

// Hands the text on in pieces of about this size, so the file is written without holding it
// whole.
constexpr size_t kPiece = 256 * 1024;

template <typename Sink> void ExportModels(const TMyModelRecords& models, Sink sink) {
    std::string piece;
    piece.reserve(2 * kPiece);
    TJsonWriter out(piece);
    out << "[\r\n";
    for (size_t i = 0; i < models.size(); ++i) {
        WriteModel(out, models[i], i + 1 == models.size());
        if (piece.size() >= kPiece) {
            sink(piece);
            piece.clear();
        }
    }
    out << "]\r\n";
    sink(piece);
}

} // namespace

std::string JsonExportText(const TMyModelRecords& models) {
    std::string text;
    ExportModels(models, [&](std::string_view piece) { text += piece; });
    return text;
}

void SaveJsonExport(const std::string& fileName, const TMyModelRecords& models) {
    TAtomicFileWriter file(fileName);
    ExportModels(models, [&](std::string_view piece) {
        file.Stream().WriteBuffer(piece.data(), piece.size());
    });
    file.Commit();
}

} // namespace mm
