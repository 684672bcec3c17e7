// The window at its opening size in the font setup installs: every control inside it, every
// caption, heading and tab text whole, one chip group in one place, and no growing by itself.
#include "WindowFixture.h"
#include "controls/RadioGroup.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRawFont>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextLayout>

namespace mm {
namespace {

class Layout : public test::WindowTest {
protected:
    // What the user can see of a widget, in window coordinates.
    QRect InWindow(const QWidget* w) const {
        return QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size());
    }

    // The problems of the window as it is shown now, one line each.
    QStringList Misfits() const {
        QStringList misfits;
        auto name = [](const QWidget* w) {
            return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) +
                                                   " " + w->property("text").toString()
                                             : w->objectName();
        };
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->isWindow())
                continue;
            if (!window->rect().contains(InWindow(w)) && !w->objectName().startsWith("qt_"))
                misfits << name(w) + " lies outside the window";
            else if (w->parentWidget() && !w->parentWidget()->rect().contains(w->geometry()) &&
                     !qobject_cast<const QAbstractScrollArea*>(w->parentWidget()->parentWidget()))
                misfits << name(w) + " lies outside " + name(w->parentWidget());
            if (qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
                qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w))
                if (w->width() < w->minimumSizeHint().width() || w->width() < w->sizeHint().width())
                    misfits << name(w) + QStringLiteral(" is %1 wide, its text needs %2")
                                             .arg(w->width())
                                             .arg(w->sizeHint().width());
            if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
                const int title = group->fontMetrics().horizontalAdvance(group->title()) + 16;
                if (group->width() < title)
                    misfits << name(w) + " clips its title";
            }
            if (const auto* header = qobject_cast<const QHeaderView*>(w))
                for (int s = 0; s < header->count(); ++s)
                    if (header->orientation() == Qt::Horizontal &&
                        header->sectionSize(s) < header->sectionSizeHint(s))
                        misfits << name(w->parentWidget()) +
                                       QStringLiteral(" clips heading %1").arg(s + 1);
            if (const auto* tabs = qobject_cast<const QTabBar*>(w))
                for (int t = 0; t < tabs->count(); ++t)
                    if (tabs->isTabVisible(t) &&
                        tabs->tabRect(t).width() <
                            tabs->fontMetrics().horizontalAdvance(tabs->tabText(t)))
                        misfits << QStringLiteral("tab %1 is clipped").arg(tabs->tabText(t));
        }
        if (window->size() != QSize(1080, 729))
            misfits << QStringLiteral("the window is %1 x %2")
                           .arg(window->width())
                           .arg(window->height());
        return misfits;
    }

    static TMyModelRecord Usb(uint16_t id) {
        TMyModelRecord record = ValidModel(id, "USB");
        record.CommType = 1;
        return record;
    }
    static TMyModelRecord WithShift(uint16_t id) {
        TMyModelRecord record = ValidModel(id, "Shift");
        record.HasShift = 1;
        record.KeyCount = 4;
        record.ChipKind = 5;
        return record;
    }
};

TEST_F(Layout, TheWindowOpensAsCaptionedInTahoma) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Quorin Remote Control Model Manager[2021-9]");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    EXPECT_EQ(window->size(), QSize(1080, 729));
    EXPECT_EQ(window->font().family(), "Tahoma");
    EXPECT_EQ(window->font().pointSize(), 8);
}

TEST_F(Layout, EveryControlFitsOnTheFirstScreen) {
    Open();
    EXPECT_EQ(Misfits(), QStringList());
    EXPECT_TRUE(Find("chipType")->isVisible());
    EXPECT_FALSE(Find("RadioGroup1")->isVisible());
}

TEST_F(Layout, EveryControlFitsWhateverModelAndTabIsShown) {
    OpenWith({ValidModel(1, "IR"), Usb(2), WithShift(3)});
    TtsGrid* list = Grid("tsGrid1");
    auto* chips = Find<TRadioGroup>("chipType");
    auto* usbChips = Find<TRadioGroup>("RadioGroup1");
    const QRect chipPlace = chips->geometry();
    EnterEditMode();
    for (int row : {1, 2, 3, 1}) {
        ClickCell(list, 1, row);
        const bool usb = row == 2;
        EXPECT_EQ(chips->isVisible(), !usb) << row;
        EXPECT_EQ(usbChips->isVisible(), usb) << row;
        EXPECT_EQ((usb ? usbChips : chips)->geometry(), chipPlace) << row;
        EXPECT_EQ(Misfits(), QStringList()) << row;
    }
    ClickCell(list, 1, 3);
    auto* tabs = Find<QTabWidget>("PageControl2");
    for (int tab : {1, 2, 3, 0, 1}) {
        Click(tabs->tabBar(), Qt::LeftButton, tabs->tabBar()->tabRect(tab).center());
        ASSERT_EQ(tabs->currentIndex(), tab);
        EXPECT_EQ(Find("btnKey")->isVisible(), tab == 1);
        EXPECT_EQ(Misfits(), QStringList()) << tab;
    }
}

// Tab walks the controls as they read: the list, the pages box and the chip settings on the left,
// then the key tables with their code pages, then the picture.
TEST_F(Layout, TabWalksTheControlsInReadingOrder) {
    Open();
    const QStringList order = {"Edit1",     "tsGrid1",   "SpinEdit2",      "CheckBox1",
                               "tsGrid3",   "ComboBox1", "SpinEdit3",      "SpinEdit1",
                               "CheckBox2", "btnKey",    "tsGridKeyList1", "tsGridKeyList2",
                               "Memo1",     "Memo2",     "BitBtn3"};
    QStringList walked;
    for (QWidget* w = window->nextInFocusChain(); w != window.get(); w = w->nextInFocusChain())
        if (order.contains(w->objectName()))
            walked << w->objectName();
    EXPECT_EQ(walked, order);
}

TEST_F(Layout, ChineseCaptionsAreDrawnWithRealGlyphs) {
    Open();
    const QString caption = QString::fromUtf8("品牌对照表");
    QTextLayout text(caption, window->font());
    text.beginLayout();
    text.createLine();
    text.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : text.glyphRuns())
        for (quint32 glyph : run.glyphIndexes()) {
            EXPECT_NE(glyph, 0u) << run.rawFont().familyName().toStdString();
            ++glyphs;
        }
    EXPECT_EQ(glyphs, caption.size());
}

} // namespace
} // namespace mm
