#include "DemoCatalogue.h"

#include "DemoPicture.h"
#include "hotimage/core/HotMapFormats.h"
#include "model/ModelFile.h"
#include "model/StoreRules.h"
#include "platform/DayCount.h"
#include "platform/Gbk.h"

#include <QString>
#include <filesystem>
#include <map>

namespace mm {

namespace {

// Where the buttons of a demo remote can stand on its 240 x 560 picture.
struct TSlot {
    TSpotShape Shape;
    std::vector<TPoint> Points;
};

TSlot Rect(int left, int top, int width, int height) {
    return {TSpotShape::Rectangle, {{left, top}, {left + width, top + height}}};
}

TSlot Round(int left, int top, int size) {
    return {TSpotShape::Ellipse, {{left, top}, {left + size, top + size}}};
}

const std::map<std::string, TSlot>& Slots() {
    static const std::map<std::string, TSlot> places = [] {
        std::map<std::string, TSlot> s = {
            {"power", Round(28, 40, 40)},
            {"shift", Rect(100, 46, 40, 24)},
            {"mute", Rect(172, 46, 40, 24)},
            {"up", {TSpotShape::Polyline, {{120, 100}, {150, 134}, {90, 134}}}},
            {"left", {TSpotShape::Polyline, {{52, 166}, {88, 136}, {88, 196}}}},
            {"ok", Round(98, 144, 44)},
            {"right", {TSpotShape::Polyline, {{188, 166}, {152, 196}, {152, 136}}}},
            {"down", {TSpotShape::Polyline, {{120, 232}, {90, 198}, {150, 198}}}},
            {"volup", Rect(28, 250, 44, 30)},
            {"voldown", Rect(28, 290, 44, 30)},
            {"home", Rect(98, 250, 44, 30)},
            {"back", Rect(98, 290, 44, 30)},
            {"chup", Rect(168, 250, 44, 30)},
            {"chdown", Rect(168, 290, 44, 30)},
        };
        const char* pad[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "a", "0", "b"};
        for (int i = 0; i < 12; ++i)
            s[std::string("pad") + pad[i]] = Rect(38 + 62 * (i % 3), 345 + 40 * (i / 3), 40, 30);
        const char* colours[] = {"red", "green", "yellow", "blue"};
        for (int i = 0; i < 4; ++i)
            s[colours[i]] = Round(40 + 42 * i, 506, 30);
        return s;
    }();
    return places;
}

// One button of a model: its slot and the key's name as the key table and the picture show it.
struct TKeyPlan {
    const char* slot;
    const char* name; // UTF-8
    int kno = 0;      // 0: the key's position
};

// What one demo model is to be: its record's fields, its keys and its codes.
struct TModelPlan {
    uint16_t id;
    const char* name;   // UTF-8, stored as GBK
    const char* remark; // UTF-8, stored as GBK
    uint8_t commType;
    uint8_t chipKind;
    QColor body;
    std::vector<TKeyPlan> keys;
    std::vector<const char*> pages;
    bool shift = false;
    std::vector<std::pair<uint16_t, uint16_t>> codes = {}; // code number, group number
    std::vector<uint16_t> protocols = {};
    const char* fixedCode = nullptr; // UTF-8 lines, stored as GBK with CR LF
};

QColor Face(const std::string& slot) {
    if (slot == "power" || slot == "red")
        return QColor(210, 50, 50);
    if (slot == "green")
        return QColor(60, 170, 80);
    if (slot == "yellow")
        return QColor(220, 190, 40);
    if (slot == "blue")
        return QColor(50, 100, 210);
    if (slot == "shift")
        return QColor(240, 150, 40);
    if (slot == "ok")
        return QColor(90, 110, 130);
    return QColor(205, 210, 218);
}

std::vector<TKeyPlan> Pad() {
    return {{"pad1", "1"}, {"pad2", "2"}, {"pad3", "3"}, {"pad4", "4"}, {"pad5", "5"},
            {"pad6", "6"}, {"pad7", "7"}, {"pad8", "8"}, {"pad9", "9"}, {"pad0", "0"}};
}

std::vector<TKeyPlan> Joined(std::vector<TKeyPlan> first, const std::vector<TKeyPlan>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

std::vector<TModelPlan> ModelPlans() {
    return {
        // IR, chip kind 2: serial numbers 57 and 58 are stored as the 5 and 13 the chip uses.
        {0x0101,
         "QR-TV200",
         "TV",
         0,
         2,
         QColor(45, 50, 60),
         Joined({{"power", "Power", 1},
                 {"mute", "Mute", 2},
                 {"up", "Up", 3},
                 {"down", "Down", 4},
                 {"left", "Left", 57},
                 {"right", "Right", 58},
                 {"ok", "OK", 6},
                 {"volup", "Vol+", 7},
                 {"voldown", "Vol-", 8},
                 {"chup", "CH+", 9},
                 {"chdown", "CH-", 10},
                 {"home", "Menu", 11},
                 {"back", "Back", 12}},
                {{"pad1", "1", 14},
                 {"pad2", "2", 15},
                 {"pad3", "3", 16},
                 {"pad4", "4", 17},
                 {"pad5", "5", 18},
                 {"pad6", "6", 19},
                 {"pad7", "7", 20},
                 {"pad8", "8", 21},
                 {"pad9", "9", 22},
                 {"pad0", "0", 23}}),
         {"Main", "Numbers"}},
        // IR, fixed code.
        {0x0102,
         "QR-FAN3",
         "Fan",
         0,
         3,
         QColor(235, 235, 230),
         {{"power", "Power"},
          {"volup", "Speed+"},
          {"voldown", "Speed-"},
          {"home", "Timer"},
          {"back", "Swing"},
          {"chup", "Mode"},
          {"chdown", "Light"}},
         {"Fan"},
         false,
         {},
         {},
         "FAN 3-SPEED 0x1A2B\n风扇 三档\nTIMER 0x1A2C"},
        // IR universal with a SHIFT page, universal codes and protocols.
        {0x0201,
         "QR-U4 Universal",
         "Univ",
         0,
         4,
         QColor(35, 70, 95),
         Joined({{"power", "Power"},
                 {"shift", "SHIFT"},
                 {"mute", "Mute"},
                 {"up", "Up"},
                 {"down", "Down"},
                 {"left", "Left"},
                 {"right", "Right"},
                 {"ok", "OK"},
                 {"volup", "Vol+"},
                 {"voldown", "Vol-"},
                 {"chup", "CH+"},
                 {"chdown", "CH-"}},
                Pad()),
         {"TV", "SAT"},
         true,
         {{101, 1}, {102, 1}, {103, 2}, {104, 2}, {105, 3}, {106, 4}, {107, 4}, {108, 5}},
         {23, 7, 45}},
        {0x0202,
         "QR-U7 Universal",
         "Univ",
         0,
         7,
         QColor(90, 40, 60),
         Joined({{"power", "Power"},
                 {"mute", "Mute"},
                 {"volup", "Vol+"},
                 {"voldown", "Vol-"},
                 {"chup", "CH+"},
                 {"chdown", "CH-"},
                 {"home", "Input"}},
                Pad()),
         {"TV"},
         false,
         {{103, 1}, {109, 2}, {110, 2}, {111, 3}, {112, 6}},
         {12}},
        // USB HID: serial numbers are HID usages, beyond 112.
        {0x0301,
         "QR-HID Media",
         "PC",
         1,
         1,
         QColor(30, 30, 34),
         {{"power", "Sleep", 130},
          {"mute", "Mute", 226},
          {"up", "Up", 82},
          {"down", "Down", 81},
          {"left", "Prev", 182},
          {"right", "Next", 181},
          {"ok", "Play", 205},
          {"volup", "Vol+", 233},
          {"voldown", "Vol-", 234},
          {"home", "Home", 74},
          {"back", "Esc", 41}},
         {"Media"}},
        // USB serial.
        {0x0302,
         "QR-COM Presenter",
         "Pres",
         2,
         0,
         QColor(70, 75, 85),
         {{"power", "Laser"},
          {"up", "Up"},
          {"down", "Down"},
          {"left", "Prev"},
          {"right", "Next"},
          {"ok", "Black"},
          {"home", "Start"},
          {"back", "End"}},
         {"Slides"}},
        // Bluetooth.
        {0x0401,
         "QR-BLE Air",
         "BT",
         0,
         10,
         QColor(200, 205, 215),
         {{"power", "Power"},
          {"up", "Up"},
          {"down", "Down"},
          {"left", "Left"},
          {"right", "Right"},
          {"ok", "OK"},
          {"home", "Home"},
          {"back", "Back"},
          {"volup", "Vol+"},
          {"voldown", "Vol-"},
          {"red", "Mic"},
          {"blue", "Apps"}},
         {"Air"}},
        // Air conditioner, Chinese texts.
        {0x0501,
         "空调遥控器",
         "演示",
         0,
         11,
         QColor(245, 245, 248),
         {{"power", "开关"},
          {"volup", "温度+"},
          {"voldown", "温度-"},
          {"home", "模式"},
          {"back", "风速"},
          {"chup", "扫风"},
          {"chdown", "定时"},
          {"red", "睡眠"}},
         {"主页"}},
    };
}

std::string Gbk(const char* utf8) {
    const QString text = QString::fromUtf8(utf8);
    return GbkFromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

void PutLE(TSSByteArray& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The code region behind the picture, as the code pages store it.
void AppendCodes(TMyModelRecord& record, const TModelPlan& plan) {
    if (plan.fixedCode) {
        std::string text = Gbk(plan.fixedCode);
        std::string stored;
        for (char c : text)
            stored += c == '\n' ? std::string("\r\n") : std::string(1, c);
        stored += "\r\n";
        record.Blob.insert(record.Blob.end(), stored.begin(), stored.end());
        record.UniversalCount = static_cast<int32_t>(stored.size());
        return;
    }
    for (const auto& [code, group] : plan.codes)
        PutLE(record.Blob, code | static_cast<uint32_t>(group) << 16, 4);
    for (uint16_t protocol : plan.protocols)
        PutLE(record.Blob, protocol, 2);
    record.UniversalCount = static_cast<int32_t>(plan.codes.size());
    record.ProtocolCount = static_cast<int32_t>(plan.protocols.size());
}

// The SHIFT keys follow the normal ones as "Copy Normal's KeyName", "KeyIdx Inc 43" and
// "Sno Inc 56" make them.
constexpr int kShiftKeyIdxStep = 43;
constexpr int kShiftSNoStep = 56;

TMyModelRecord RecordOf(const TModelPlan& plan, const std::vector<TDemoButton>& buttons) {
    TMyModelRecord record;
    record.ModelID = plan.id;
    record.ModelType.Assign(Gbk(plan.name));
    record.Remark.Assign(Gbk(plan.remark));
    record.CommType = plan.commType;
    record.ChipKind = plan.chipKind;
    record.HasShift = plan.shift ? 1 : 0;
    record.OneInTwoCount = 2;
    const int n = static_cast<int>(plan.keys.size());
    record.KeyCount = static_cast<uint8_t>(plan.shift ? 2 * n : n);
    for (int k = 0; k < n; ++k) {
        const TKeyPlan& key = plan.keys[static_cast<size_t>(k)];
        TBtnInfo& normal = record.BtnInfo[k];
        normal.Name.Assign(Gbk(key.name));
        const int kno = key.kno ? key.kno : k + 1;
        normal.KNo =
            static_cast<uint8_t>(plan.commType == 0 && plan.chipKind == 2
                                     ? RemapChipKind2Serial(static_cast<uint8_t>(kno), false)
                                     : kno);
        normal.KeyIdx = static_cast<uint16_t>(k + 1);
        if (!plan.shift)
            continue;
        TBtnInfo& shifted = record.BtnInfo[n + k];
        shifted.Name.Assign("SHIFT " + normal.Name.Str());
        shifted.KNo = static_cast<uint8_t>(normal.KNo + kShiftSNoStep);
        shifted.KeyIdx = static_cast<uint16_t>(normal.KeyIdx + kShiftKeyIdxStep);
    }
    record.PageCount = static_cast<uint8_t>(plan.pages.size());
    for (size_t p = 0; p < plan.pages.size(); ++p)
        record.PageName[p].Assign(Gbk(plan.pages[p]));
    record.Blob = DrawDemoPicture(buttons, plan.body);
    record.PicSize = static_cast<int32_t>(record.Blob.size());
    AppendCodes(record, plan);
    record.BlobSize = static_cast<int32_t>(record.Blob.size());
    return record;
}

std::unique_ptr<THotSpots> HotMapOf(const TModelPlan& plan,
                                    const std::vector<TDemoButton>& buttons) {
    auto spots = std::make_unique<THotSpots>();
    auto add = [&](const TDemoButton& button, int id, const std::string& hint, int32_t kind) {
        TSpotData data;
        data.Shape = button.Shape;
        data.Points = button.Points;
        data.ID = id;
        data.KeyKind = kind;
        data.Hint = Gbk(hint.c_str());
        spots->Add(std::make_unique<TSpot>(data));
    };
    for (size_t k = 0; k < buttons.size(); ++k)
        add(buttons[k], static_cast<int>(k + 1), buttons[k].Label, buttons[k].KeyKind);
    // The SHIFT keys lie on the same buttons; the shift button switches, it is no shift key.
    if (plan.shift)
        for (size_t k = 0; k < buttons.size(); ++k)
            add(buttons[k], static_cast<int>(k + 1) + kShiftKeyIdxStep, "SHIFT " + buttons[k].Label,
                kKeyKindNormal);
    return spots;
}

// Fictional brands, each with a run of code numbers; the universal models' code lines give
// most of them a group number.
TMDFYFile DemoBrands() {
    const std::vector<std::pair<const char*, std::vector<uint16_t>>> brands = {
        {"Aurelia", {101, 102, 120}}, {"Borealis", {103, 104}},  {"Cascadia", {105, 121}},
        {"Dunmore", {106, 107, 108}}, {"Everlight", {109, 110}}, {"Fjordline", {111}},
        {"Galenta", {112, 122}},      {"华光", {102, 106}},      {"Helvion", {130}},
    };
    TMDFYFile file;
    file.FirstList.push_back({});
    for (size_t b = 0; b < brands.size(); ++b) {
        TBrandEntry brand{};
        brand.BrandName.Assign(Gbk(brands[b].first));
        file.BrandList.push_back(brand);
        for (uint16_t code : brands[b].second) {
            TCodeEntry entry{};
            entry.BrandIdx = static_cast<int32_t>(b);
            entry.CodeNo = code;
            file.CodeList.push_back(entry);
        }
    }
    return file;
}

} // namespace

TMyModelRecords TDemoCatalogue::Records() const {
    TMyModelRecords records;
    for (const TDemoModel& model : Models)
        records.push_back(model.Record);
    return records;
}

TDemoCatalogue BuildDemoCatalogue() {
    TDemoCatalogue catalogue;
    for (const TModelPlan& plan : ModelPlans()) {
        TDemoModel model;
        model.Body = plan.body;
        for (const TKeyPlan& key : plan.keys) {
            const TSlot& slot = Slots().at(key.slot);
            model.Buttons.push_back(
                {key.name, slot.Shape, slot.Points, Face(key.slot),
                 std::string(key.slot) == "shift" ? kKeyKindShift : kKeyKindNormal});
        }
        model.Record = RecordOf(plan, model.Buttons);
        model.HotMap = HotMapOf(plan, model.Buttons);
        catalogue.Models.push_back(std::move(model));
    }
    catalogue.Brands = DemoBrands();
    return catalogue;
}

std::vector<std::string> DemoCatalogueFiles(const TDemoCatalogue& catalogue,
                                            const std::string& dir) {
    std::vector<std::string> files;
    for (const TDemoModel& model : catalogue.Models)
        files.push_back(ModelHotMapPath(dir, model.Record.ModelID));
    files.push_back(BrandTablePath(dir));
    files.push_back(ModelDatabasePath(dir));
    return files;
}

void WriteDemoCatalogue(const TDemoCatalogue& catalogue, const std::string& dir) {
    std::filesystem::create_directories(dir + "data");
    for (const TDemoModel& model : catalogue.Models)
        model.HotMap->SaveToFile(ModelHotMapPath(dir, model.Record.ModelID));
    const TSSByteArray brands = BrandFileBytes(catalogue.Brands);
    WriteWholeFile(BrandTablePath(dir), brands.data(), brands.size());
    SaveModelFile(ModelDatabasePath(dir), catalogue.Records(), NowAsDayCount());
}

} // namespace mm
