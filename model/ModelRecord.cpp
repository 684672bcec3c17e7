#include "ModelRecord.h"

#include "platform/IntText.h"
#include "platform/Strings.h"

namespace mm {

void MarkReserved(TMyModelRecords& models) {
    for (TMyModelRecord& record : models)
        for (TBtnInfo& key : record.BtnInfo)
            key.Reserved = 255;
}

int FindModelByID(const TMyModelRecords& models, uint16_t id) {
    for (size_t i = 0; i < models.size(); ++i)
        if (models[i].ModelID == id)
            return static_cast<int>(i);
    return -1;
}

uint16_t LowestFreeModelID(const TMyModelRecords& models) {
    std::vector<bool> used(65536, false);
    for (const TMyModelRecord& record : models)
        used[record.ModelID] = true;
    for (size_t id = 0; id < used.size(); ++id)
        if (!used[id])
            return static_cast<uint16_t>(id);
    return 0;
}

namespace {
// "$" in front makes the integer-text reader take hexadecimal digits and nothing else.
std::string HexText(std::string_view text) {
    return "$" + std::string(text.empty() ? "0" : text);
}
} // namespace

uint16_t ModelIdFromText(std::string_view text) {
    return static_cast<uint16_t>(StrToInt(HexText(text)));
}

std::optional<uint16_t> TryModelIdFromText(std::string_view text) {
    if (const std::optional<int32_t> value = TryStrToInt(HexText(text)))
        return static_cast<uint16_t>(*value);
    return std::nullopt;
}

int FindModelByName(const TMyModelRecords& models, std::string_view text) {
    const std::string wanted = TrimSpaces(text);
    if (wanted.empty())
        return -1;
    for (size_t i = 0; i < models.size(); ++i)
        if (models[i].ModelType.Str().find(wanted) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

} // namespace mm
