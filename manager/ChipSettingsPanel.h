#pragma once
// The communication type, the one-in-two count and the two chip groups (one shown, by the
// communication type) of the model under edit. Gestures edit the document's working copy
// through the window; the panel shows the working copy.
#include "WorkingEditor.h"

#include <QString>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QStackedWidget;

namespace mm {

class TDeferredHandlers;
class TModelDocument;
class TRadioGroup;
class TSpinEdit;

class ChipSettingsPanel : public QWidget {
public:
    ChipSettingsPanel(const TModelDocument& document, TDeferredHandlers& handlers,
                      TWorkingEditor edit, std::function<void()> chipChanged, QWidget* parent);

    void ShowWorkingModel();
    // Outside edit mode the drop-down, the count and the IR group are disabled.
    void ShowEditMode(bool editMode);
    // Takes a count still being typed.
    void Commit();

private:
    void CommTypeChosen();
    void ChipChosen(bool usbGroup);
    void OneInTwoCountChanged();
    TRadioGroup* ChipGroupOf(int commType) const;

    const TModelDocument& document_;
    TWorkingEditor edit_;
    std::function<void()> chipChanged_;

    QComboBox* ComboBox1 = nullptr;
    QLabel* Label4 = nullptr; // "One in Two's buttons count"
    TSpinEdit* SpinEdit3 = nullptr;
    QStackedWidget* chipGroups_ = nullptr; // both chip groups in one place, one shown
    TRadioGroup* chipType = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
};

} // namespace mm
