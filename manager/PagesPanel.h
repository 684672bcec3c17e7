#pragma once
// The pages box beside the model list: "Page Counts", "Has Shift" and the page names of the
// model under edit. Gestures edit the document's working copy through the window; the box shows
// the working copy.
#include "WorkingEditor.h"

#include <QString>
#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;

namespace mm {

class TDeferredHandlers;
class TDialogs;
class TModelDocument;
class TSpinEdit;
class TtsGrid;

class PagesPanel : public QWidget {
public:
    // updating is the window's flag: set while it fills controls, whose events then do nothing.
    // showModel shows the whole working copy after "Has Shift" changed.
    PagesPanel(TModelDocument& document, TDialogs& dialogs, bool& updating,
               TDeferredHandlers& handlers, TWorkingEditor edit, std::function<void()> showModel,
               QWidget* parent);

    void ShowWorkingModel();
    // No model: no page names.
    void ShowNoModel();
    // The count and "Has Shift" are enabled in edit mode only.
    void ShowEditMode(bool editMode);
    void SetGridEditMode(bool editMode);
    // Takes a count still being typed.
    void Commit();

private:
    void ShowPageNames();
    void PageCountsChanged();
    void HasShiftClicked();
    // "Has Shift" ticked on a model with more keys than SHIFT leaves room for.
    void AskToCutKeysForShift(int keys);
    void ApplyShiftTick(bool ticked);
    void PageNameTyped(int row);

    TModelDocument& document_;
    TDialogs& dialogs_;
    bool& Updating;
    TWorkingEditor edit_;
    std::function<void()> showModel_;

    QLabel* Label3 = nullptr; // "Page Counts"
    TSpinEdit* SpinEdit2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    TtsGrid* tsGrid3 = nullptr;
};

} // namespace mm
