#pragma once
// The table control of the windows: 1-based rows and columns, text or integer cells,
// check-box columns holding "1"/"0", a list mode that selects whole rows and an edit mode in
// which cells are edited, and the four events the windows react to.
#include <QAbstractTableModel>
#include <QTableView>
#include <QVariant>
#include <vector>

namespace mm {

class TGridModel;

class TtsGrid : public QTableView {
    Q_OBJECT
public:
    explicit TtsGrid(QWidget* parent = nullptr);

    // Columns are set once: headings, widths and which hold check boxes.
    struct Column {
        QString heading;
        int width = 64;
        bool checkBox = false;
        bool centredHeading = false;
    };
    void SetColumns(const std::vector<Column>& columns);
    int ColCount() const;

    int Rows() const;
    // Keeps the cells of the remaining rows; new rows are empty.
    void SetRows(int rows);
    // Replaces every row at once: the fast way to fill a long list.
    void SetAllRows(std::vector<std::vector<QVariant>> rows);

    QVariant Cell(int col, int row) const;
    QString CellText(int col, int row) const { return Cell(col, row).toString(); }
    void SetCell(int col, int row, const QVariant& value);

    // 0 when there is none. Setting it raises RowChanged like a user's selection.
    int CurrentRow() const;
    void SetCurrentRow(int row);
    int CurrentCol() const;
    void SetTopRow(int row);

    bool EditMode() const { return editMode_; }
    void SetEditMode(bool edit);

signals:
    void RowChanged(int oldRow, int newRow);
    void CellChanged(int oldCol, int newCol, int oldRow, int newRow);
    // The user changed a cell's text; the cell already holds the new text.
    void CellEdit(int col, int row);
    // The user left an edited cell; setting cancel gives the cell its previous text back.
    void EndCellEdit(int col, int row, bool& cancel);

private:
    friend class TGridDelegate;
    void OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void KeepCurrentRowAfterReset(int rowBefore);

    TGridModel* model_;
    bool editMode_ = false;
};

} // namespace mm
