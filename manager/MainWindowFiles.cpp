// Toolbar commands that write or read other files: the single-remote exchange file, the JSON
// export and the brand list.
#include "FileChoice.h"
#include "MainWindow.h"
#include "model/ModelFile.h"
#include "model/RemoteFile.h"
#include "model/uUniversalModel.h"
#include "platform/Strings.h"
#include "platform/ui/Dialogs.h"

#include <QPlainTextEdit>
#include <QToolButton>

namespace mm {

void MainWindow::ConnectFileHandlers() {
    WireCommand(ToolButton1, &QToolButton::clicked, &MainWindow::ToolButton1Click);
    WireCommand(ToolButton2, &QToolButton::clicked, &MainWindow::ToolButton2Click);
    WireCommand(ToolButton10, &QToolButton::clicked, &MainWindow::ToolButton10Click);
    WireCommand(tbnUniverMode, &QToolButton::clicked, &MainWindow::tbnUniverModeClick);
}

void MainWindow::ToolButton1Click() {
    if (!document_.Record(ShownIndex()) || !StoreShownModel())
        return;
    if (const auto path = ChooseFileName(dialogs_, FileDialogKind::Save)) {
        document_.Export(ShownIndex(), *path);
        const uint16_t id = document_.Record(ShownIndex())->ModelID; // as stored just now
        Report(QStringLiteral("Model %1 written to %2")
                   .arg(QString::fromStdString(Hex4(id)), FileNameText(*path)));
    }
}

void MainWindow::ToolButton2Click() {
    if (!StoreShownModel())
        return;
    const auto path = ChooseFileName(dialogs_, FileDialogKind::Open);
    if (!path)
        return;
    switch (document_.Import(*path)) {
    case TModelDocument::ImportResult::NotAModelFile:
        dialogs_.ShowMessage(QString::fromLatin1(kErrorFileText));
        return;
    case TModelDocument::ImportResult::Full:
        dialogs_.ShowMessage(QStringLiteral("The database already holds %1 models; no more can be "
                                            "imported.")
                                 .arg(kMaxModelCount));
        return;
    case TModelDocument::ImportResult::Imported:
        RefreshList();
        Report(QStringLiteral("Model %1 imported from %2; not saved yet")
                   .arg(QString::fromStdString(Hex4(document_.Models().back().ModelID)),
                        FileNameText(*path)));
        return;
    }
}

void MainWindow::ToolButton10Click() {
    if (const auto path = ChooseFileName(dialogs_, FileDialogKind::Save)) {
        document_.ExportJson(*path);
        Report(QStringLiteral("%1 models written to %2")
                   .arg(document_.Count())
                   .arg(FileNameText(*path)));
    }
}

void MainWindow::tbnUniverModeClick() {
    const std::optional<TMDFYFile> brands = document_.ReadBrandTable();
    if (!brands) {
        dialogs_.ShowMessage(QString::fromUtf8(kBrandFileErrorText),
                             QString::fromLatin1(kBrandFileErrorCaption));
        return;
    }
    if (const auto path = ChooseFileName(dialogs_, FileDialogKind::Save)) {
        document_.ExportBrandList(*path, *brands, document_.Working().Memo1);
        Report(QStringLiteral("Brand list written to %1").arg(FileNameText(*path)));
    }
}

} // namespace mm
