#include "ModelListPanel.h"

#include "ModelDocument.h"
#include "controls/DeferredHandlers.h"
#include "controls/Grid.h"
#include "platform/Errors.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mm {

namespace {
constexpr int kNameColumn = 1;
constexpr int kIdColumn = 2;
constexpr int kRemarkColumn = 3;

// 35 pixels, or what four digits need when the desktop's font is larger than the old 8 points.
int IdColumnWidth(const QWidget* widget) {
    return std::max(35, widget->fontMetrics().horizontalAdvance(QStringLiteral("DDDD")) + 10);
}
} // namespace

ModelListPanel::ModelListPanel(TModelDocument& document, TDialogs& dialogs,
                               TDeferredHandlers& handlers, std::initializer_list<QAction*> menu,
                               QWidget* parent)
    : QWidget(parent), document_(document), dialogs_(dialogs) {
    setObjectName(QStringLiteral("ModelListPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    auto* search = new QHBoxLayout;
    Label6 = new QLabel(QStringLiteral("Search"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    search->addWidget(Label6);
    search->addWidget(Edit1);
    column->addLayout(search);

    tsGrid1 = new TtsGrid(this);
    tsGrid1->setObjectName(QStringLiteral("tsGrid1"));
    tsGrid1->SetColumns({{QStringLiteral("Model"), 104},
                         {QStringLiteral("ID"), IdColumnWidth(this)},
                         {QString::fromUtf8("备注"), 69}});
    const QString hint = QStringLiteral("If hide to true, will can not show in vistel software");
    tsGrid1->setToolTip(hint);
    tsGrid1->setStatusTip(hint);
    tsGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QAction* action : menu)
        tsGrid1->addAction(action);
    column->addWidget(tsGrid1, 1);

    connect(tsGrid1, &TtsGrid::CellEdit, this, [this, &handlers](int col, int row) {
        handlers.Run([=, this] { CellTyped(col, row); });
    });
    connect(tsGrid1, &TtsGrid::EndCellEdit, this,
            [this, &handlers](int col, int row, bool& cancel) {
                handlers.Run([&, col, row, this] { CellLeft(col, row, cancel); });
            });
    connect(Edit1, &QLineEdit::textChanged, this,
            [this, &handlers] { handlers.Run([this] { SearchChanged(); }); });
}

void ModelListPanel::Fill() {
    std::vector<std::vector<QVariant>> rows;
    rows.reserve(document_.Models().size());
    for (const TMyModelRecord& record : document_.Models())
        rows.push_back({QStringFromGbk(record.ModelType.Str()),
                        QString::fromStdString(Hex4(record.ModelID)),
                        QStringFromGbk(record.Remark.Str())});
    tsGrid1->SetAllRows(std::move(rows));
}

void ModelListPanel::CellTyped(int col, int row) {
    const std::string text = GbkFromQString(tsGrid1->CellText(col, row));
    switch (col) {
    case kNameColumn:
        document_.SetName(row - 1, text);
        break;
    case kIdColumn:
        document_.SetId(row - 1, text);
        break;
    case kRemarkColumn:
        document_.SetRemark(row - 1, text);
        break;
    }
}

void ModelListPanel::CellLeft(int col, int row, bool& cancel) {
    const std::string text = GbkFromQString(tsGrid1->CellText(col, row));
    const std::string original = GbkFromQString(tsGrid1->EditOriginal().toString());
    const TMyModelRecord* record = document_.Record(row - 1);
    if (!record)
        return;
    switch (col) {
    case kNameColumn:
        if (!document_.SetName(row - 1, text)) {
            dialogs_.ShowMessage(QStringLiteral("Please input a name"));
            cancel = true;
            document_.SetName(row - 1, original);
            return;
        }
        // The cell shows what the record holds: a long name cut to its field.
        tsGrid1->SetCell(kNameColumn, row, QStringFromGbk(record->ModelType.Str()));
        break;
    case kIdColumn:
        if (!document_.SetId(row - 1, text)) {
            cancel = true;
            document_.SetId(row - 1, original);
            throw ConvertError("$" + text); // the identifier is read as hexadecimal
        }
        break;
    case kRemarkColumn:
        tsGrid1->SetCell(kRemarkColumn, row, QStringFromGbk(record->Remark.Str()));
        break;
    }
}

void ModelListPanel::SearchChanged() {
    const int found = FindModelByName(document_.Models(), GbkFromQString(Edit1->text()));
    if (found < 0)
        return;
    tsGrid1->SetCurrentRow(found + 1);
    // The row above the match is the first one visible.
    tsGrid1->SetTopRow(std::max(1, found));
}

} // namespace mm
