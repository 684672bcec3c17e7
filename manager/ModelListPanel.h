#pragma once
// The model list with its search box: one row per model (name, ID, remark), names, IDs and
// remarks edited in place as commands of the document, and the search that moves to a model.
// Which model is shown when the row moves is the window's business.
#include <QWidget>
#include <functional>
#include <initializer_list>

class QAction;
class QLabel;
class QLineEdit;

namespace mm {

class TDeferredHandlers;
class TDialogs;
class TModelDocument;
class TtsGrid;

class ModelListPanel : public QWidget {
public:
    ModelListPanel(TModelDocument& document, TDialogs& dialogs, TDeferredHandlers& handlers,
                   std::initializer_list<QAction*> menu, QWidget* parent);

    TtsGrid* Grid() const { return tsGrid1; }
    // The list as Models holds it; the current row stays where it can.
    void Fill();

private:
    // Typing takes effect at once where the text is acceptable; what is not is reported once,
    // when the user leaves the cell.
    void CellTyped(int col, int row);
    void CellLeft(int col, int row, bool& cancel);
    void SearchChanged();

    TModelDocument& document_;
    TDialogs& dialogs_;

    QLabel* Label6 = nullptr; // "Search"
    QLineEdit* Edit1 = nullptr;
    TtsGrid* tsGrid1 = nullptr;
};

} // namespace mm
