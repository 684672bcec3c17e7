// Taking the shown model back into its record: the controls are read into plain values and the
// rules in model/ decide.
#include "ModelEdit.h"
#include "controls/Grid.h"
#include "controls/RadioGroup.h"
#include "controls/SpinEdit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

namespace mm {

bool TfrmModelEdit::StoreModel(int index) {
    TStoreInput input;
    input.KeyCounts = SpinEdit1->Value();
    input.HasShift = CheckBox1->isChecked();
    input.PageCounts = SpinEdit2->Value();
    for (int r = 1; r <= tsGrid3->Rows(); ++r)
        input.PageNames.push_back(GbkFromQString(tsGrid3->CellText(1, r)));
    input.CommType = ComboBox1->currentIndex();
    input.OneInTwoCount = SpinEdit3->Value();
    input.IrChip = chipType->ItemIndex();
    input.UsbChip = RadioGroup1->ItemIndex();
    input.Normal = KeyRowsOf(tsGridKeyList1);
    input.Shift = KeyRowsOf(tsGridKeyList2);
    input.IgnoreKeyIdxRepeated = CheckBox2->isChecked();
    if (const auto broken = document_.Store(index, input, MemoLines(Memo1), MemoLines(Memo2))) {
        dialogs_.ShowMessage(QString::fromStdString(*broken));
        return false;
    }
    return true;
}

} // namespace mm
