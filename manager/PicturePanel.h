#pragma once
// The right-hand panel: the shown model's picture, "Load Picture..." in edit mode, and the
// picture written out by its context menu or a click.
#include "SidePanel.h"
#include "model/ModelRecord.h"

#include <QString>
#include <functional>

class QAction;
class QLabel;
class QPushButton;

namespace mm {

class TDeferredHandlers;
class TDialogs;
class TModelDocument;
class TPictureBox;

class PicturePanel : public TSidePanel {
public:
    // What a command wrote, and where, told in the window's status bar.
    using TReporter = std::function<void(const QString&)>;

    PicturePanel(TModelDocument& document, TDialogs& dialogs, TDeferredHandlers& handlers,
                 TReporter report, QWidget* parent);

    // The picture of Models[index]; none outside the array.
    void ShowPicture(int index);
    // "Load Picture..." and its note are there in edit mode only.
    void ShowEditMode(bool editMode);

private:
    // Decodes and shows picture bytes; the decoder's error is reported and leaves the box empty.
    void ShowPictureBytes(const TSSByteArray& bytes);
    void LoadPictureClick();
    void SavePictureClick();
    void PictureClick();

    TModelDocument& document_;
    TDialogs& dialogs_;
    TReporter report_;
    // The JPEG bytes the box shows: the shown model's picture or the file last loaded.
    TSSByteArray pictureBytes_;

    QPushButton* BitBtn3 = nullptr;
    QLabel* Label2 = nullptr;
    TPictureBox* Image1 = nullptr;
    QAction* SAVEPICTURE1 = nullptr;
};

} // namespace mm
