// Toolbar commands that write or read other files: the single-remote exchange file, the JSON
// export and the brand list.
#include "ModelEdit.h"
#include "model/CodePages.h"
#include "model/JsonExport.h"
#include "model/ModelFile.h"
#include "model/RemoteFile.h"
#include "model/uUniversalModel.h"
#include "platform/ui/Dialogs.h"

#include <QPlainTextEdit>
#include <QToolButton>

namespace mm {

namespace {
constexpr int kOpen = static_cast<int>(FileDialogKind::Open);
constexpr int kSave = static_cast<int>(FileDialogKind::Save);
} // namespace

void TfrmModelEdit::ConnectFileHandlers() {
    Wire(ToolButton1, &QToolButton::clicked, &TfrmModelEdit::ToolButton1Click);
    Wire(ToolButton2, &QToolButton::clicked, &TfrmModelEdit::ToolButton2Click);
    Wire(ToolButton10, &QToolButton::clicked, &TfrmModelEdit::ToolButton10Click);
    Wire(tbnUniverMode, &QToolButton::clicked, &TfrmModelEdit::tbnUniverModeClick);
}

void TfrmModelEdit::ToolButton1Click() {
    const TMyModelRecord* record = RecordOfRow(CurrentRow());
    if (!record)
        return;
    if (const auto path = ChooseFileName(kSave))
        WriteRemoteFile(*path, *record);
}

void TfrmModelEdit::ToolButton2Click() {
    const auto path = ChooseFileName(kOpen);
    if (!path)
        return;
    TMyModelRecord imported;
    if (!ReadRemoteFile(*path, imported)) {
        dialogs_.ShowMessage(QString::fromLatin1(kErrorFileText));
        return;
    }
    if (ImportRemote(Models, imported) < 0) {
        dialogs_.ShowMessage(QStringLiteral("The database already holds %1 models; no more can be "
                                            "imported.")
                                 .arg(kMaxModelCount));
        return;
    }
    RefreshList();
}

void TfrmModelEdit::ToolButton10Click() {
    if (const auto path = ChooseFileName(kSave))
        SaveJsonExport(*path, Models);
}

void TfrmModelEdit::tbnUniverModeClick() {
    TMDFYFile brands;
    if (ReadBrandFile(BrandTablePath(exeDir_), brands) != kBrandFileRead) {
        dialogs_.ShowMessage(QString::fromUtf8(kBrandFileErrorText),
                             QString::fromLatin1(kBrandFileErrorCaption));
        return;
    }
    const auto path = ChooseFileName(kSave);
    if (!path)
        return;
    const TCodeMap codes = CodeMapFromLines(MemoLines(Memo1));
    SaveBrandList(*path, brands, codes);
}

} // namespace mm
