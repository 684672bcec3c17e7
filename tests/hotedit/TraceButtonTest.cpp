// The hot-map editor's "Trace": proposals added after the spots already drawn, those lying over
// them left out, as one undoable command; the trace runs off the event loop's thread.
#include "RealInput.h"
#include "hotedit/core/TracedSpots.h"
#include "hotedit/windows/HotMapEditor.h"
#include "platform/ui/Dialogs.h"
#include "trace/TracePictures.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace mm {
namespace {

TSpotData Box(int left, int top, int right, int bottom) {
    TSpotData spot;
    spot.Shape = TSpotShape::Rectangle;
    spot.Points = {{left, top}, {right, bottom}};
    return spot;
}

TEST(TracedSpots, ProposalsOverlappingASpotByMoreThanHalfAreLeftOutAndTheRestIsOneCommand) {
    THotSpots drawn;
    drawn.Add(std::make_unique<TSpot>(Box(0, 0, 20, 20)));
    THotMapDocument document(drawn);
    const struct {
        TSpotData proposal;
        bool added;
    } cases[] = {
        {Box(2, 2, 18, 18), false},   // inside the spot
        {Box(-4, -4, 24, 24), false}, // around it: all of the smaller one covered
        {Box(9, 0, 29, 20), false},   // more than half of each
        {Box(10, 0, 30, 20), true},   // half of each, not more
        {Box(40, 0, 60, 20), true},   // apart
    };
    std::vector<TSpotData> proposals, added;
    for (const auto& c : cases) {
        proposals.push_back(c.proposal);
        if (c.added)
            added.push_back(c.proposal);
    }
    EXPECT_EQ(AddTracedSpots(document, proposals), 2);
    ASSERT_EQ(document.Count(), 3);
    EXPECT_EQ(document.Spots().Items(0)->Data(), Box(0, 0, 20, 20));
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(document.Spots().Items(i + 1)->Data(), added[size_t(i)]);
    EXPECT_EQ(document.UndoStack().count(), 1);
    EXPECT_EQ(document.UndoStack().undoText(), "Trace 2 outlines");
    document.Undo();
    EXPECT_EQ(document.Count(), 1);
    document.Redo();
    EXPECT_EQ(document.Count(), 3);
    // Nothing new: no command.
    EXPECT_EQ(AddTracedSpots(document, {cases[0].proposal}), 0);
    EXPECT_EQ(document.UndoStack().count(), 1);
    EXPECT_EQ(AddTracedSpots(document, {Box(100, 0, 120, 20)}), 1);
    EXPECT_EQ(document.UndoStack().undoText(), "Trace 1 outline");
}

class TraceButton : public testing::Test {
protected:
    TScriptedDialogs dialogs;
    const test::TDrawnPicture picture =
        test::DrawPicture({"light body",
                           {400, 640},
                           4,
                           6,
                           QColor(250, 250, 250),
                           QColor(235, 235, 232),
                           {QColor(150, 152, 155), QColor(35, 35, 38)}});
    THotSpots opened;
    std::unique_ptr<THotMapEditor> editor;

    void SetUp() override {
        // The first button already has its outline.
        const test::TExpectedButton& first = picture.Buttons.front();
        const QRectF box(first.Centre - QPointF(first.Size.width(), first.Size.height()) / 2,
                         first.Size);
        TSpotData spot = Box(int(box.left()), int(box.top()), int(box.right()), int(box.bottom()));
        spot.ID = 77;
        opened.Add(std::make_unique<TSpot>(spot));
        editor = std::make_unique<THotMapEditor>(dialogs, picture.Image, opened, "HotImage1");
        editor->TraceKeys = picture.Keys;
        editor->show();
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        test::Settle();
    }

    QPushButton* Trace() { return test::Find<QPushButton>(editor.get(), "btnTrace"); }
    QListWidget* List() { return test::Find<QListWidget>(editor.get(), "lboxSpots"); }
};

TEST_F(TraceButton, AddsTheButtonsFoundAfterTheSpotsDrawnWhileTheEditorStaysResponsive) {
    ASSERT_EQ(Trace()->text(), "&Trace");
    test::Click(Trace());
    // Running: the button waits, the cursor says so, and the list still answers.
    EXPECT_FALSE(Trace()->isEnabled());
    EXPECT_EQ(editor->cursor().shape(), Qt::BusyCursor);
    test::Click(List()->viewport(), Qt::LeftButton,
                List()->visualItemRect(List()->item(0)).center());
    EXPECT_EQ(List()->currentRow(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(Trace()->isEnabled(), 60000);
    EXPECT_EQ(Trace()->text(), "&Trace");
    EXPECT_NE(editor->cursor().shape(), Qt::BusyCursor);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    // 24 buttons, the first one drawn already: 23 proposals, give or take what is missed.
    EXPECT_GE(List()->count(), 1 + 21);
    EXPECT_LE(List()->count(), 1 + 23);
    THotSpots result;
    editor->HandBack(result);
    EXPECT_EQ(result.Items(0)->ID, 77);
    // One undoable step.
    test::Key(List(), Qt::Key_Z, Qt::ControlModifier);
    test::Settle();
    EXPECT_EQ(List()->count(), 1);
}

TEST_F(TraceButton, ClosingTheEditorWhileItTracesStopsTheTrace) {
    test::Click(Trace());
    test::Click(test::Find<QPushButton>(editor.get(), "btnCancel"));
    test::Settle();
    EXPECT_FALSE(editor->isVisible());
    editor.reset(); // waits for the trace's thread
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(TraceButton, WithoutTheOcrDataTheEditorSaysSoAndChangesNothing) {
    qputenv("TESSDATA_PREFIX", "/nonexistent/");
    test::Click(Trace());
    QTRY_VERIFY_WITH_TIMEOUT(Trace()->isEnabled(), 60000);
    qunsetenv("TESSDATA_PREFIX");
    EXPECT_EQ(dialogs.shown, QStringList{"the OCR data for eng could not be loaded"});
    EXPECT_EQ(List()->count(), 1);
    EXPECT_NE(editor->cursor().shape(), Qt::BusyCursor);
}

} // namespace
} // namespace mm
