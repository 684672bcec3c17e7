#pragma once
// The "KeyIdx info" frame at the top right of the key tables: how often each key index, or each
// serial number, is used, rolled down while the user is in those columns.
#include "controls/RollUpFrame.h"
#include "model/KeyStats.h"
#include "model/KeyTable.h"

class QListWidget;

namespace mm {

class KeyStatsPanel : public TRollUpFrame {
public:
    // Keeps itself at the top right of area.
    explicit KeyStatsPanel(QWidget* area);

    // The key indexes of both tables (SHIFT only when given), the entry of row selected.
    void ShowKeyIdxStats(const TKeyRows& normal, const TKeyRows* shift, int row, bool onShift);
    void ShowSNoStats(const TKeyRows& normal, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowStatLines(const TStatEntries& entries, int row, bool onShift);

    QListWidget* ListBox1 = nullptr;
    TStatEntries KeyIdxStats;
    TStatEntries SNoStats;
};

} // namespace mm
