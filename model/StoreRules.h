#pragma once
// Storing what the main window shows for a model back into its record, with the validation
// of the key tables: unique identifier, well-formed serial numbers and key indexes, the limit
// of 112, and the uniqueness rules across normal and SHIFT keys.
#include "KeyTable.h"
#include "ModelRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace mm {

// What the window's controls hold for one model, as it reads them on a store.
struct TStoreInput {
    int KeyCounts = kMinKeyCounts; // "Key Counts"
    bool HasShift = false;         // "Has Shift"
    int PageCounts = kMinPageCounts;
    std::vector<std::string> PageNames; // rows of the page-name grid
    int CommType = 0; // selected index of the drop-down; -1, none, keeps the stored type
    int OneInTwoCount = 0;
    int IrChip = -1;  // selected index of the IR chip group, -1 for none
    int UsbChip = -1; // selected index of the USB chip group, -1 for none
    TKeyRows Normal;  // rows of the Normal grid
    TKeyRows Shift;   // rows of the SHIFT grid
    bool IgnoreKeyIdxRepeated = false;

    bool operator==(const TStoreInput&) const = default;
};

inline constexpr char kModelIdRepeated[] = "remte control id can not be repeated";

// True when a record other than models[index] has the same ModelID.
bool IsModelIDRepeated(const TMyModelRecords& models, int index);

// Serial numbers of chip kind 2 on IR remotes: 57..61 (and 113..117 on SHIFT keys) become the
// serial numbers that chip really uses; every other value stays.
uint8_t RemapChipKind2Serial(uint8_t kno, bool shiftKey);

// The chip kind a store writes: the selected item of the chip group of the stored
// communication type (the IR group for type 0), 255 when that group has no selection.
uint8_t StoredChipKind(uint8_t commType, int irChip, int usbChip);

// "Key Counts" as the store reads it: within 2..62 with "Has Shift" ticked, else 2..123.
int StoredKeyCounts(const TStoreInput& input);

// Takes the key grids into models[index] and checks every rule in order. Returns the message
// of the first broken rule, or nothing when the keys are valid. Entries written before the
// broken rule stay written. The store reads exactly StoredKeyCounts rows of each grid (a row
// the grid lacks reads as empty), so it never writes beyond the 124 entries. A "Follow Sno"
// that is not an integer text raises ConvertError. An index outside models stores nothing.
std::optional<std::string> ValidateKeys(TMyModelRecords& models, int index,
                                        const TStoreInput& input);

// Copies the controls into models[index] (key count, pages, communication type, SHIFT flag,
// one-in-two count, chip kind), then ValidateKeys. The code region of Blob is not touched:
// the caller rebuilds it after a store that returned no message.
std::optional<std::string> StoreModel(TMyModelRecords& models, int index, const TStoreInput& input);

// The controls as the window fills them to show the record, "Ignore KeyIdx Repeated When
// Saving" clear: storing this input is storing the model unchanged.
TStoreInput StoreInputAsShown(const TMyModelRecord& record);

} // namespace mm
