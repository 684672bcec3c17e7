#include "Grid.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace mm {

class TGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    std::vector<TtsGrid::Column> columns;
    std::vector<std::vector<QVariant>> cells;
    bool editable = false;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(cells.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns.size());
    }

    bool IsCheckBox(int col) const { return columns[static_cast<size_t>(col)].checkBox; }

    const QVariant& At(int row, int col) const {
        static const QVariant empty;
        const auto& line = cells[static_cast<size_t>(row)];
        return static_cast<size_t>(col) < line.size() ? line[static_cast<size_t>(col)] : empty;
    }

    void Put(int row, int col, const QVariant& value) {
        auto& line = cells[static_cast<size_t>(row)];
        if (line.size() < columns.size())
            line.resize(columns.size());
        line[static_cast<size_t>(col)] = value;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const QVariant& value = At(index.row(), index.column());
        if (IsCheckBox(index.column())) {
            if (role == Qt::CheckStateRole)
                return value.toString() == "1" ? Qt::Checked : Qt::Unchecked;
            return {};
        }
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return value;
        return {};
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid())
            return false;
        if (role == Qt::CheckStateRole && IsCheckBox(index.column()))
            Put(index.row(), index.column(),
                value.toInt() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0"));
        else if (role == Qt::EditRole)
            Put(index.row(), index.column(), value);
        else
            return false;
        emit dataChanged(index, index);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable && index.isValid())
            f |= IsCheckBox(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
        return f;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && section < static_cast<int>(columns.size())) {
            if (role == Qt::DisplayRole)
                return columns[static_cast<size_t>(section)].heading;
            if (role == Qt::TextAlignmentRole &&
                columns[static_cast<size_t>(section)].centredHeading)
                return Qt::AlignCenter;
        }
        if (orientation == Qt::Vertical && role == Qt::DisplayRole)
            return QString(); // a plain row-selector bar
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    void Reset(std::vector<std::vector<QVariant>> rows) {
        beginResetModel();
        cells = std::move(rows);
        endResetModel();
    }

    void SetColumnList(const std::vector<TtsGrid::Column>& list) {
        beginResetModel();
        columns = list;
        endResetModel();
    }

    void Resize(int rows) {
        const int before = rowCount();
        if (rows > before) {
            beginInsertRows({}, before, rows - 1);
            cells.resize(static_cast<size_t>(rows));
            endInsertRows();
        } else if (rows < before) {
            beginRemoveRows({}, rows, before - 1);
            cells.resize(static_cast<size_t>(rows));
            endRemoveRows();
        }
    }

    void Changed(int row, int col) {
        const QModelIndex at = index(row, col);
        emit dataChanged(at, at);
    }
};

// Line editor that reports every change of its text to the grid as it is typed, and the end of
// the edit, after the editor has closed, with the chance to cancel it.
class TGridDelegate : public QStyledItemDelegate {
public:
    explicit TGridDelegate(TtsGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {
        // The cell follows the typing, so an edit given up with Escape puts the old text back.
        connect(this, &QAbstractItemDelegate::closeEditor, this,
                [this](QWidget*, EndEditHint hint) {
                    if (hint != RevertModelCache || !editing_.isValid())
                        return;
                    const bool typed = editing_.data(Qt::EditRole) != original_;
                    grid_->model_->setData(editing_, original_, Qt::EditRole);
                    if (typed) // whoever followed the typing follows its end too
                        emit grid_->CellEdit(editing_.column() + 1, editing_.row() + 1);
                });
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        original_ = index.data(Qt::EditRole);
        editing_ = index;
        const int col = index.column() + 1;
        const int row = index.row() + 1;
        connect(editor, &QLineEdit::textEdited, grid_, [this, col, row](const QString& text) {
            grid_->model_->Put(row - 1, col - 1, text);
            emit grid_->CellEdit(col, row);
        });
        return editor;
    }

    // A check box clicked or toggled with Space is the user's change of that cell.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        const QVariant before = index.data(Qt::CheckStateRole);
        const bool handled = QStyledItemDelegate::editorEvent(event, model, option, index);
        if (handled && index.data(Qt::CheckStateRole) != before)
            emit grid_->CellEdit(index.column() + 1, index.row() + 1);
        return handled;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
        // The editor is being closed inside its own key or focus event: the handler may show a
        // message, which must wait until that event has returned.
        QMetaObject::invokeMethod(
            grid_,
            [grid = grid_, cell = QPersistentModelIndex(index), original = original_] {
                grid->EndEdit(cell, original);
            },
            Qt::QueuedConnection);
    }

private:
    TtsGrid* grid_;
    mutable QVariant original_;
    mutable QPersistentModelIndex editing_;
};

TtsGrid::TtsGrid(QWidget* parent) : QTableView(parent), model_(new TGridModel(this)) {
    setModel(model_);
    setItemDelegate(new TGridDelegate(this));
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setFixedWidth(12);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TtsGrid::OnCurrentChanged);
    clickEdit_.setSingleShot(true);
    connect(&clickEdit_, &QTimer::timeout, this, [this] {
        if (clickEditCell_.isValid() && clickEditCell_ == currentIndex() && state() != EditingState)
            edit(clickEditCell_);
    });
    SetEditMode(false);
}

void TtsGrid::SetColumns(const std::vector<Column>& columns) {
    model_->SetColumnList(columns);
    ApplyColumnWidths();
}

void TtsGrid::ApplyColumnWidths() {
    const auto& columns = model_->columns;
    for (size_t c = 0; c < columns.size(); ++c) {
        const int col = static_cast<int>(c);
        setColumnWidth(col, std::max(columns[c].width, horizontalHeader()->sectionSizeHint(col)));
    }
}

void TtsGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        ApplyColumnWidths();
}

void TtsGrid::EndEdit(const QPersistentModelIndex& cell, const QVariant& original) {
    if (!cell.isValid()) // the rows were rebuilt meanwhile
        return;
    bool cancel = false;
    endingOriginal_ = original;
    emit EndCellEdit(cell.column() + 1, cell.row() + 1, cancel);
    endingOriginal_ = QVariant();
    if (cancel && cell.isValid())
        model_->setData(cell, original, Qt::EditRole);
}

void TtsGrid::mousePressEvent(QMouseEvent* event) {
    clickEdit_.stop();
    const QModelIndex pressed = indexAt(event->position().toPoint());
    pressedOnCurrent_ = editMode_ && pressed.isValid() && pressed == currentIndex() &&
                        state() != EditingState && !model_->IsCheckBox(pressed.column());
    QTableView::mousePressEvent(event);
}

void TtsGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    const QModelIndex released = indexAt(event->position().toPoint());
    if (pressedOnCurrent_ && event->button() == Qt::LeftButton && released == currentIndex()) {
        clickEditCell_ = released;
        clickEdit_.start(QApplication::doubleClickInterval());
    }
    pressedOnCurrent_ = false;
}

void TtsGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    clickEdit_.stop();
    pressedOnCurrent_ = false;
    QTableView::mouseDoubleClickEvent(event);
}

void TtsGrid::keyPressEvent(QKeyEvent* event) {
    clickEdit_.stop();
    QTableView::keyPressEvent(event);
}

int TtsGrid::ColCount() const {
    return static_cast<int>(model_->columns.size());
}

int TtsGrid::Rows() const {
    return model_->rowCount();
}

void TtsGrid::SetRows(int rows) {
    model_->Resize(std::max(0, rows));
}

void TtsGrid::SetAllRows(std::vector<std::vector<QVariant>> rows) {
    const int rowBefore = CurrentRow();
    const QSignalBlocker quiet(selectionModel());
    model_->Reset(std::move(rows));
    KeepCurrentRowAfterReset(rowBefore);
}

// The list keeps its place: the same row, or the nearest one that still exists.
void TtsGrid::KeepCurrentRowAfterReset(int rowBefore) {
    const int row = Rows() == 0 ? 0 : std::clamp(rowBefore, 1, Rows());
    if (row != 0)
        selectionModel()->setCurrentIndex(
            model_->index(row - 1, 0),
            QItemSelectionModel::ClearAndSelect |
                (editMode_ ? QItemSelectionModel::NoUpdate : QItemSelectionModel::Rows));
    if (row != rowBefore)
        emit RowChanged(rowBefore, row);
}

QVariant TtsGrid::Cell(int col, int row) const {
    if (row < 1 || row > Rows() || col < 1 || col > ColCount())
        return {};
    return model_->At(row - 1, col - 1);
}

void TtsGrid::SetCell(int col, int row, const QVariant& value) {
    if (row < 1 || row > Rows() || col < 1 || col > ColCount())
        return;
    model_->Put(row - 1, col - 1, value);
    model_->Changed(row - 1, col - 1);
}

int TtsGrid::CurrentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int TtsGrid::CurrentCol() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

void TtsGrid::SetCurrentRow(int row) {
    if (row < 1 || row > Rows()) {
        selectionModel()->clearCurrentIndex();
        return;
    }
    const int col = std::max(0, CurrentCol() - 1);
    selectionModel()->setCurrentIndex(
        model_->index(row - 1, col),
        QItemSelectionModel::ClearAndSelect |
            (editMode_ ? QItemSelectionModel::NoUpdate : QItemSelectionModel::Rows));
}

void TtsGrid::SetTopRow(int row) {
    if (row >= 1 && row <= Rows())
        scrollTo(model_->index(row - 1, 0), QAbstractItemView::PositionAtTop);
}

void TtsGrid::SetEditMode(bool edit) {
    clickEdit_.stop();
    editMode_ = edit;
    model_->editable = edit;
    setSelectionBehavior(edit ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A click on the current cell is handled by the grid itself (clickEdit_).
    setEditTriggers(edit ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed
                         : QAbstractItemView::NoEditTriggers);
    viewport()->update();
}

void TtsGrid::OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
    const int oldRow = previous.isValid() ? previous.row() + 1 : 0;
    const int newRow = current.isValid() ? current.row() + 1 : 0;
    const int oldCol = previous.isValid() ? previous.column() + 1 : 0;
    const int newCol = current.isValid() ? current.column() + 1 : 0;
    if (oldCol != newCol || oldRow != newRow)
        emit CellChanged(oldCol, newCol, oldRow, newRow);
    if (oldRow != newRow)
        emit RowChanged(oldRow, newRow);
}

} // namespace mm
