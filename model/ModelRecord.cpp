#include "ModelRecord.h"

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

} // namespace mm
