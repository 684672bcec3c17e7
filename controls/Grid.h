#pragma once
// The table control of the windows: 1-based rows and columns, text or integer cells,
// check-box columns holding "1"/"0", a list mode that selects whole rows and an edit mode in
// which cells are edited, and the four events the windows react to.
#include <QAbstractTableModel>
#include <QPersistentModelIndex>
#include <QTableView>
#include <QTimer>
#include <QVariant>
#include <vector>

namespace mm {

class TGridModel;

class TtsGrid : public QTableView {
    Q_OBJECT
public:
    explicit TtsGrid(QWidget* parent = nullptr);

    // Columns are set once: headings, widths and which hold check boxes. A column is never
    // narrower than its heading needs in the grid's font.
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
    // The user changed a cell's text (typed, gave the typing up with Escape, or clicked a check
    // box); the cell already holds the new text. Raised from inside the cell editor's key press
    // or the click: a handler must not show a message or move the focus.
    void CellEdit(int col, int row);
    // The user left an edited cell. Raised once the editor is closed and its event has
    // returned, so a handler may show a message; setting cancel gives the cell the text it had
    // when the edit began (EditOriginal).
    void EndCellEdit(int col, int row, bool& cancel);

public:
    // While EndCellEdit is raised: the cell's text when the edit began.
    const QVariant& EditOriginal() const { return endingOriginal_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TGridDelegate;
    void OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void KeepCurrentRowAfterReset(int rowBefore);
    void ApplyColumnWidths();
    // Posted by the editor when the user leaves a cell.
    void EndEdit(const QPersistentModelIndex& cell, const QVariant& original);

    TGridModel* model_;
    bool editMode_ = false;
    QVariant endingOriginal_;
    // A click on the cell that is already current starts its edit once no double click or key
    // press followed; a key pressed in between starts the edit itself, with that key.
    QTimer clickEdit_;
    QPersistentModelIndex clickEditCell_;
    bool pressedOnCurrent_ = false;
};

} // namespace mm
