#include "HotMapDocument.h"

#include "WorkingCopyCommand.h"
#include "hotimage/core/HotMapFormats.h"
#include "platform/Gbk.h"
#include "platform/ui/QtText.h"

#include <algorithm>

namespace mm {

namespace {

constexpr size_t kListTextLength = 24;
constexpr char kLastControlShownAsBlank = 13;

THotMapState StateOf(const THotSpots& spots, int selected) {
    THotMapState state{{}, selected};
    state.Spots.reserve(static_cast<size_t>(spots.Count()));
    for (int i = 0; i < spots.Count(); ++i)
        state.Spots.push_back(spots.Items(i)->Data());
    return state;
}

} // namespace

std::string SpotListText(const std::string& hint) {
    // Cut at a whole character: half of a Chinese character would show as garbage.
    std::string text = hint.substr(0, GbkCutLength(hint, kListTextLength));
    for (char& c : text)
        if (c >= 0 && c <= kLastControlShownAsBlank)
            c = ' ';
    return text + "...";
}

int32_t NextSpotID(const THotSpots& spots) {
    int32_t greatest = 0;
    for (int i = 0; i < spots.Count(); ++i)
        greatest = std::max(greatest, spots.Items(i)->ID);
    return static_cast<int32_t>(static_cast<uint32_t>(greatest) + 1u);
}

THotMapDocument::THotMapDocument(const THotSpots& source) {
    spots_.Assign(source);
    undo_.setUndoLimit(0); // back to the opening, however long the session
}

const TSpot* THotMapDocument::SelectedSpot() const {
    return selected_ >= 0 && selected_ < Count() ? spots_.Items(selected_) : nullptr;
}

void THotMapDocument::Select(int index) {
    selected_ = index >= 0 && index < Count() ? index : -1;
}

TSpotData THotMapDocument::NewSpot() const {
    TSpotData spot;
    spot.ID = NextSpotID(spots_);
    return spot;
}

void THotMapDocument::Append(const TSpotData& spot) {
    THotMapState after = State();
    after.Spots.push_back(spot);
    after.Selected = static_cast<int>(after.Spots.size()) - 1;
    Change(std::move(after), SpotLabel("Add spot", spot));
}

void THotMapDocument::Replace(int index, const TSpotData& spot) {
    if (index < 0 || index >= Count())
        return;
    THotMapState after = State();
    after.Spots[static_cast<size_t>(index)] = spot;
    after.Selected = index;
    Change(std::move(after), SpotLabel("Edit spot", spot));
}

void THotMapDocument::CopySelected() {
    TSpotData copy;
    if (const TSpot* selected = SelectedSpot()) {
        copy = selected->Data();
        copy.Mask = {}; // a copy has the outline and the fields, never the mask
    }
    copy.ID = NextSpotID(spots_);
    Append(copy);
}

void THotMapDocument::DeleteSelected() {
    if (!SelectedSpot())
        return;
    THotMapState after = State();
    const QString label = SpotLabel("Delete spot", after.Spots[static_cast<size_t>(selected_)]);
    after.Spots.erase(after.Spots.begin() + selected_);
    after.Selected = -1;
    Change(std::move(after), label);
}

void THotMapDocument::Clear() {
    Change({}, "Clear spots");
}

void THotMapDocument::MoveSelectedTo(int target) {
    if (!SelectedSpot() || target < 0 || target >= Count() || target == selected_)
        return;
    THotMapState after = State();
    const auto from = after.Spots.begin() + selected_;
    const auto to = after.Spots.begin() + target;
    if (target > selected_)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
    after.Selected = target;
    Change(std::move(after), SpotLabel("Move spot", after.Spots[static_cast<size_t>(target)]));
}

void THotMapDocument::Load(const std::string& fileName) {
    // Read into a copy, so that what a failing reader leaves behind is one undoable change.
    THotSpots loaded;
    loaded.Assign(spots_);
    try {
        LoadHotMapByContent(fileName, loaded);
    } catch (...) {
        Change(StateOf(loaded, -1), "Load outlines");
        throw;
    }
    Change(StateOf(loaded, loaded.Count() > 0 ? 0 : -1), "Load outlines");
}

void THotMapDocument::Save(const std::string& fileName, THotMapFormat format) const {
    SaveHotMap(fileName, spots_, format);
}

THotMapState THotMapDocument::State() const {
    return StateOf(spots_, selected_);
}

QString THotMapDocument::SpotLabel(const char* action, const TSpotData& spot) const {
    const QString hint = QStringFromGbk(spot.Hint).simplified();
    return QString("%1 %2").arg(action, hint.isEmpty() ? QString("KeyIdx %1").arg(spot.ID) : hint);
}

void THotMapDocument::Change(THotMapState after, const QString& label) {
    THotMapState before = State();
    if (after.Spots == before.Spots) {
        Select(after.Selected);
        return;
    }
    undo_.push(new TWorkingCopyCommand<THotMapState>([this](const THotMapState& s) { Restore(s); },
                                                     std::move(before), std::move(after), label));
}

void THotMapDocument::Restore(const THotMapState& state) {
    spots_.Clear();
    for (const TSpotData& spot : state.Spots)
        spots_.Add(std::make_unique<TSpot>(spot));
    Select(state.Selected);
}

} // namespace mm
