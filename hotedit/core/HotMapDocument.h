#pragma once
// The hot-map editor's work without a widget: a private copy of the hot map, the spot selected
// in its list, the view point remembered between spot editors, and every change of the copy
// as one command on an undo stack that starts empty when the editor opens.
#include "hotimage/core/HotMapFormats.h"
#include "hotimage/core/HotSpots.h"

#include <QUndoStack>
#include <string>
#include <vector>

namespace mm {

// What one undo step restores: every spot, and the entry selected with them.
struct THotMapState {
    std::vector<TSpotData> Spots;
    int Selected = -1;
    friend bool operator==(const THotMapState&, const THotMapState&) = default;
};

// The list text of a spot: the first 24 characters of its hint, each control character up to
// 13 shown as a blank, then "..." in every case.
std::string SpotListText(const std::string& hint);

// 1 + the greatest ID of the list, the greatest taken as at least 0 (32-bit arithmetic, so the
// greatest possible ID is followed by the smallest).
int32_t NextSpotID(const THotSpots& spots);

class THotMapDocument {
public:
    // The working copy is source's spots, masks included.
    explicit THotMapDocument(const THotSpots& source);
    THotMapDocument(const THotMapDocument&) = delete;
    THotMapDocument& operator=(const THotMapDocument&) = delete;

    const THotSpots& Spots() const { return spots_; }
    int Count() const { return spots_.Count(); }
    int Selected() const { return selected_; }
    // nullptr when nothing is selected.
    const TSpot* SelectedSpot() const;
    // Not a change of the hot map: no command. An index outside the list selects nothing.
    void Select(int index);

    // Handed to each spot editor as its view point and taken back from a confirmed one.
    TPoint ViewPoint;

    QUndoStack& UndoStack() { return undo_; }
    void Undo() { undo_.undo(); }
    void Redo() { undo_.redo(); }

    // A spot with the defaults of a new one and the next free ID.
    TSpotData NewSpot() const;
    // The spot appended and selected.
    void Append(const TSpotData& spot);
    // Spot `index` becomes `spot` and is selected; no command when nothing changed.
    void Replace(int index, const TSpotData& spot);
    // A copy of the selected spot without its mask (a new spot when none is selected), with
    // the next free ID, appended and selected.
    void CopySelected();
    // The selected spot goes; nothing is selected afterwards.
    void DeleteSelected();
    void Clear();
    // The selected spot moves to `target` in the list and stays selected; nothing happens for
    // a target outside the list or equal to the selected entry.
    void MoveSelectedTo(int target);

    // The file replaces the working copy: one starting with the binary signature in the binary
    // format whatever its name, any other in the text format. The first spot is selected. A
    // reader's error is raised after what the reader left in the copy has become an undoable
    // change, with nothing selected.
    void Load(const std::string& fileName);
    // The working copy to the file, in the format given.
    void Save(const std::string& fileName, THotMapFormat format) const;

    // Changes since the opening that undo could take back.
    bool HoldsChanges() const { return !undo_.isClean(); }

    // The caller's hot map becomes the working copy, masks included.
    void HandBack(THotSpots& target) const { target.Assign(spots_); }

    THotMapState State() const;

private:
    // One command from the current state to `after`, labelled; nothing when they are equal.
    void Change(THotMapState after, const QString& label);
    // "Delete spot Power": the spot named by its hint, or by its KeyIdx when it has none.
    QString SpotLabel(const char* action, const TSpotData& spot) const;
    void Restore(const THotMapState& state);

    THotSpots spots_;
    int selected_ = -1;
    QUndoStack undo_;
};

} // namespace mm
