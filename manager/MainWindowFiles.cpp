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
    WireCommand(ToolButton1, &QToolButton::clicked, &MainWindow::ExportClick);
    WireCommand(ToolButton2, &QToolButton::clicked, &MainWindow::ImportClick);
    WireCommand(ToolButton10, &QToolButton::clicked, &MainWindow::ExportJsonClick);
    WireCommand(tbnUniverMode, &QToolButton::clicked, &MainWindow::BrandListClick);
}

void MainWindow::ExportClick() {
    if (!document_.Record(ShownIndex()) || !StoreShownModel())
        return;
    if (const auto path = ChooseFileName(dialogs_, FileDialogKind::Save)) {
        document_.Export(ShownIndex(), *path);
        const uint16_t id = document_.Record(ShownIndex())->ModelID; // as stored just now
        Report(QStringLiteral("Model %1 written to %2")
                   .arg(QString::fromStdString(Hex4(id)), FileNameText(*path)));
    }
}

void MainWindow::ImportClick() {
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

void MainWindow::ExportJsonClick() {
    if (const auto path = ChooseFileName(dialogs_, FileDialogKind::Save)) {
        document_.ExportJson(*path);
        Report(QStringLiteral("%1 models written to %2")
                   .arg(document_.Count())
                   .arg(FileNameText(*path)));
    }
}

void MainWindow::BrandListClick() {
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
