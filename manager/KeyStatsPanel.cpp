#include "KeyStatsPanel.h"

#include <QEvent>
#include <QListWidget>

namespace mm {

KeyStatsPanel::KeyStatsPanel(QWidget* area) : TRollUpFrame(QStringLiteral("KeyIdx info"), area) {
    setObjectName(QStringLiteral("spSkinGroupBox1"));
    const QString hint = QStringLiteral("This is statistics of KeyIdx");
    setToolTip(hint);
    setStatusTip(hint);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    SetContent(ListBox1);
    setFixedWidth(79);
    SetFullHeight(497);
    raise();
    area->installEventFilter(this);
}

bool KeyStatsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == parentWidget())
        move(parentWidget()->width() - width() - 2, 22);
    return TRollUpFrame::eventFilter(watched, event);
}

void KeyStatsPanel::ShowStatLines(const TStatEntries& entries, int row, bool onShift) {
    const int remembered = ListBox1->count() == 0 ? -1 : ListBox1->currentRow();
    ListBox1->clear();
    for (const std::string& line : StatLines(entries))
        ListBox1->addItem(QString::fromStdString(line));
    ListBox1->setCurrentRow(StatSelection(entries, row, onShift, remembered));
}

void KeyStatsPanel::ShowKeyIdxStats(const TKeyRows& normal, const TKeyRows* shift, int row,
                                    bool onShift) {
    KeyIdxStats =
        BuildStats(ColumnTexts(normal, &TKeyRowTexts::KeyIdx),
                   shift ? ColumnTexts(*shift, &TKeyRowTexts::KeyIdx) : std::vector<std::string>{});
    ShowStatLines(KeyIdxStats, row, onShift);
}

void KeyStatsPanel::ShowSNoStats(const TKeyRows& normal, int row) {
    SNoStats = BuildStats(ColumnTexts(normal, &TKeyRowTexts::SNo));
    ShowStatLines(SNoStats, row, false);
}

} // namespace mm
