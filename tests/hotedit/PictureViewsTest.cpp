// The pictures of the editing windows as a user sees them: the hot-map editor's grows with the
// dialog, the spot editor opens on the spot with scroll bars only where they are needed and
// fits the whole picture on request, and the button shape window scrolls a large picture.
#include "EditorSupport.h"
#include "PictureSupport.h"
#include "SpotEditorSupport.h"
#include "SpotSupport.h"
#include "TestSupport.h"
#include "controls/RadioGroup.h"
#include "hotedit/windows/ButtonShapeWindow.h"
#include "hotedit/windows/HotMapEditor.h"
#include "hotedit/windows/SpotEditor.h"
#include "hotimage/core/HotMapFormats.h"
#include "hotimage/widgets/HotImage.h"
#include "platform/ui/Dialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <filesystem>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Click;
using test::Find;
using test::MakeSpot;
using test::Settle;

template <typename Window> void ShowActive(Window& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Settle();
}

// What a scrolling area shows of its widget, in the widget's pixels.
QRect Visible(QScrollArea* area) {
    return QRect(-area->widget()->pos(), area->viewport()->size());
}

TEST(HotMapEditorPicture, GrowsWithTheDialogFromItsOpeningSize) {
    TScriptedDialogs dialogs;
    const QImage picture = test::TestPicture(40, 30);
    THotSpots spots;
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{2, 2}, {8, 8}}, 1));
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{30, 20}, {38, 28}}, 2));
    THotMapEditor editor(dialogs, picture, spots, "HotImage1");
    ShowActive(editor);
    const QSize opening = editor.size();
    EXPECT_EQ(editor.minimumSize(), opening);
    auto* paint = Find(&editor, "PaintBox1");
    auto* list = Find<QListWidget>(&editor, "lboxSpots");
    EXPECT_EQ(paint->size(), QSize(200, 200));

    editor.resize(opening + QSize(200, 200));
    Settle();
    EXPECT_EQ(Find(&editor, "ScrollBox1")->size(), QSize(404, 404));
    EXPECT_EQ(paint->size(), QSize(400, 400));
    // Shown at 10 x now: the far corner of the picture, and a click on the second spot.
    EXPECT_EQ(paint->grab().toImage().pixel(395, 295), picture.pixel(39, 29));
    Click(paint, Qt::LeftButton, QPoint(34, 24) * 10 + QPoint(5, 5));
    EXPECT_EQ(list->currentRow(), 1);
    Click(paint, Qt::LeftButton, QPoint(5, 5) * 10);
    EXPECT_EQ(list->currentRow(), 0);
    // The list and the buttons move along and stay whole inside the dialog.
    for (const char* name : {"GroupBox2", "btnOk", "btnCancel"})
        EXPECT_TRUE(editor.rect().contains(Find(&editor, name)->geometry())) << name;
    EXPECT_EQ(Find(&editor, "btnCancel")->geometry().right(), editor.width() - 8);

    editor.resize(opening);
    Settle();
    EXPECT_EQ(paint->size(), QSize(200, 200));
    Click(paint, Qt::LeftButton, QPoint(34, 24) * 5 + QPoint(2, 2));
    EXPECT_EQ(list->currentRow(), 1);
}

class SpotEditorPicture : public testing::Test {
protected:
    TScriptedDialogs dialogs;
    QImage picture = test::TestPicture(800, 1200);
    std::unique_ptr<TSpot> spot;
    std::unique_ptr<TSpotEditor> editor;

    void Open(std::unique_ptr<TSpot> opened, TPoint lastPoint) {
        spot = std::move(opened);
        editor = test::ShowSpotEditor(dialogs, picture, *spot, lastPoint);
    }
    QScrollArea* ScrollBox() { return Find<QScrollArea>(editor.get(), "ScrollBox1"); }
    QWidget* PaintBox() { return Find(editor.get(), "PaintBox"); }
    int Zoom() { return Find<TRadioGroup>(editor.get(), "rgZoom")->ItemIndex(); }
    void ChooseZoom(int index) {
        test::ClickIndicator(
            Find<TRadioGroup>(editor.get(), "rgZoom")->findChildren<QRadioButton*>()[index]);
    }
    std::pair<bool, bool> Bars() {
        return {ScrollBox()->horizontalScrollBar()->isVisible(),
                ScrollBox()->verticalScrollBar()->isVisible()};
    }
};

TEST_F(SpotEditorPicture, ReopenedOnASpotItsOutlineIsInViewAt500Percent) {
    // Far from the top-left corner: view (3500, 5000)-(3601, 5101) at 500 %.
    Open(MakeSpot(TSpotShape::Rectangle, {{700, 1000}, {720, 1020}}), {600, 300});
    EXPECT_EQ(Zoom(), 3);
    const QRect visible = Visible(ScrollBox());
    EXPECT_TRUE(visible.contains(QRect(QPoint(3500, 5000), QPoint(3600, 5100)))) << visible.x();
    // In the middle of the visible client, which the scroll bars narrow.
    EXPECT_LE(std::abs(visible.left() + visible.width() / 2 - 3550), 1);
    EXPECT_LE(std::abs(visible.top() + visible.height() / 2 - 5050), 1);
}

TEST_F(SpotEditorPicture, ANewSpotOpensWithTheRememberedPointInTheMiddleOfTheVisibleClient) {
    Open(std::make_unique<TSpot>(), {2000, 3000});
    EXPECT_EQ(Zoom(), 3);
    EXPECT_EQ(Bars(), std::make_pair(true, true));
    const QRect visible = Visible(ScrollBox());
    // The point lands W - W div 2 from the left of the client W wide, without the bars.
    EXPECT_EQ(visible.size(), ScrollBox()->viewport()->size());
    EXPECT_EQ(2000 - visible.left(), visible.width() - visible.width() / 2);
    EXPECT_EQ(3000 - visible.top(), visible.height() - visible.height() / 2);
}

TEST_F(SpotEditorPicture, ScrollBarsShowOnlyWhereThePictureIsLarger) {
    const struct {
        const char* name;
        QSize picture;
        int zoom;
        bool horizontal, vertical;
    } cases[] = {
        {"small", {100, 80}, 0, false, false},
        {"wide and low at 500 %", {120, 90}, 3, true, false},
        {"narrow and tall at 500 %", {90, 120}, 3, false, true},
        {"large at 500 %", {800, 1200}, 3, true, true},
        {"large fitted", {800, 1200}, kZoomFit, false, false},
    };
    for (const auto& c : cases) {
        picture = test::TestPicture(c.picture.width(), c.picture.height());
        Open(std::make_unique<TSpot>(), {});
        ChooseZoom(c.zoom);
        EXPECT_EQ(Bars(), std::make_pair(c.horizontal, c.vertical)) << c.name;
        // The paint area never exceeds the client along an axis without a bar.
        const QSize client = ScrollBox()->viewport()->size();
        if (!c.horizontal) {
            EXPECT_EQ(PaintBox()->width(), client.width()) << c.name;
        }
        if (!c.vertical) {
            EXPECT_EQ(PaintBox()->height(), client.height()) << c.name;
        }
    }
}

TEST_F(SpotEditorPicture, FitShowsTheWholePicture) {
    Open(MakeSpot(TSpotShape::Rectangle, {{700, 1000}, {720, 1020}}), {600, 300});
    auto* fit = Find<TRadioGroup>(editor.get(), "rgZoom");
    EXPECT_EQ(fit->Count(), 5);
    EXPECT_EQ(fit->Item(4), "Fit");
    ChooseZoom(4);
    EXPECT_EQ(Bars(), std::make_pair(false, false));
    EXPECT_EQ(PaintBox()->size(), ScrollBox()->viewport()->size());
    // 508 x 519 visible: the picture 1200 high is shown 519 high, 346 wide, in the middle.
    auto* readout = Find<QLabel>(editor.get(), "Label4");
    QTest::mouseMove(PaintBox(), {81, 0});
    Settle();
    EXPECT_EQ(readout->text(), "(0,0):(81,0)");
    QTest::mouseMove(PaintBox(), {426, 518});
    Settle();
    EXPECT_EQ(readout->text(), "(798,1198):(426,518)");
}

TEST(ButtonShapePicture, APictureLargerThanTheWindowScrolls) {
    TScriptedDialogs dialogs;
    test::TempDir dir;
    std::filesystem::create_directory(dir.Dir() + "data");
    TMyModelRecord record;
    record.ModelID = 0x0101;
    record.Blob = test::JpegOf(test::TestPicture(800, 1200));
    record.PicSize = static_cast<int32_t>(record.Blob.size());
    record.BlobSize = record.PicSize;
    THotSpots spots;
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{10, 10}, {50, 50}}, 1));
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{700, 1100}, {790, 1190}}, 2));
    spots.SaveToFile(ModelHotMapPath(dir.Dir(), 0x0101));

    TButtonShapeWindow window(dialogs, dir.Dir());
    window.LoadModel(record);
    ShowActive(window);
    auto* scroller = Find<QScrollArea>(&window, "ImageScroller");
    auto* image = Find<THotImage>(&window, "HotImage1");
    EXPECT_EQ(scroller->geometry(), QRect(0, 33, 353, window.height() - 33));
    EXPECT_EQ(image->size(), QSize(800, 1200));
    // Clicks on the scroll bars' far ends page on to the bottom-right corner.
    for (QScrollBar* bar : {scroller->horizontalScrollBar(), scroller->verticalScrollBar()}) {
        ASSERT_TRUE(bar->isVisible());
        const QPoint end = bar->orientation() == Qt::Horizontal
                               ? QPoint(bar->width() - 24, bar->height() / 2)
                               : QPoint(bar->width() / 2, bar->height() - 24);
        for (int i = 0; i < 10 && bar->value() < bar->maximum(); ++i)
            Click(bar, Qt::LeftButton, end);
        EXPECT_EQ(bar->value(), bar->maximum());
    }
    const QRect visible = Visible(scroller);
    ASSERT_TRUE(visible.contains(QPoint(745, 1145)));
    Click(image, Qt::LeftButton, QPoint(745, 1145));
    EXPECT_EQ(image->SelectedIndex(), 1);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
} // namespace mm
