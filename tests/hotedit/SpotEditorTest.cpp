// The spot editor offscreen: real mouse presses, moves and releases on the paint area at
// positions computed from picture points, keys in its boxes, scripted dialogs.
#include "hotedit/windows/SpotEditor.h"
#include "EditorSupport.h"
#include "HotMapBinary.h"
#include "PictureSupport.h"
#include "QtPrinters.h"
#include "SpotEditorSupport.h"
#include "SpotSupport.h"
#include "controls/RadioGroup.h"
#include "hotedit/windows/Panel.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::BinaryOf;
using test::Click;
using test::Key;
using test::MakeSpot;
using test::Settle;
using test::Type;
using Points = std::vector<TPoint>;

class SpotEditor : public testing::Test {
protected:
    TScriptedDialogs dialogs;
    QImage picture = test::TestPicture(200, 120);
    std::unique_ptr<TSpot> spot;
    std::unique_ptr<TSpotEditor> editor;

    void Open(std::unique_ptr<TSpot> opened, TPoint lastPoint = {}) {
        spot = std::move(opened);
        editor = test::ShowSpotEditor(dialogs, picture, *spot, lastPoint);
    }

    template <typename T = QWidget> T* Find(const char* name) {
        return test::Find<T>(editor.get(), name);
    }
    QWidget* PaintBox() { return Find("PaintBox"); }
    QScrollArea* ScrollBox() { return Find<QScrollArea>("ScrollBox1"); }

    QPoint View(TPoint p, int zoom) {
        return test::SpotEditorView(ScrollBox(), picture.size(), ToQPoint(p), zoom);
    }

    void MoveTo(QPoint view) {
        QTest::mouseMove(PaintBox(), view);
        Settle();
    }
    void ClickAt(QPoint view, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(PaintBox(), view);
        QTest::mouseClick(PaintBox(), button, {}, view);
        Settle();
    }
    // A drag with the left button through the positions.
    void Drag(const std::vector<QPoint>& path) {
        QTest::mouseMove(PaintBox(), path.front());
        QTest::mousePress(PaintBox(), Qt::LeftButton, {}, path.front());
        for (const QPoint& p : path)
            QTest::mouseMove(PaintBox(), p);
        QTest::mouseRelease(PaintBox(), Qt::LeftButton, {}, path.back());
        Settle();
    }
    void ChooseZoom(int index) {
        test::ClickIndicator(Find<TRadioGroup>("rgZoom")->findChildren<QRadioButton*>()[index]);
    }
    void ClickPointEntry(int row) {
        auto* list = Find<QListWidget>("lboxPoints");
        Click(list->viewport(), Qt::LeftButton, list->visualItemRect(list->item(row)).center());
    }

    QStringList PointEntries() {
        QStringList texts;
        auto* list = Find<QListWidget>("lboxPoints");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    int SelectedEntry() { return Find<QListWidget>("lboxPoints")->currentRow(); }

    // What OK would write into the spot.
    std::unique_ptr<TSpot> Written() {
        TSpotData written = spot->Data();
        editor->WriteBack(written);
        return std::make_unique<TSpot>(written);
    }
    bool Drawing() { return Find<QToolButton>("sbEdit")->isChecked(); }
};

TEST_F(SpotEditor, HasItsControlsAndInitialStates) {
    Open(std::make_unique<TSpot>());
    EXPECT_EQ(editor->windowTitle(), "HotImage1[0]");
    EXPECT_GE(editor->width(), 782);
    EXPECT_GE(editor->height(), 573);
    EXPECT_EQ(Find<QGroupBox>("GroupBox1")->title(), "&Hot Image");
    EXPECT_EQ(Find<QGroupBox>("GroupBox1")->geometry(), QRect(8, 8, 529, 553));
    EXPECT_EQ(ScrollBox()->size(), QSize(512, 523));
    EXPECT_EQ(Find<QGroupBox>("GroupBox2")->title(), "&Spot Data");
    auto* zoom = Find<TRadioGroup>("rgZoom");
    EXPECT_EQ(zoom->title(), "&Zoom");
    EXPECT_EQ(zoom->Count(), 5);
    EXPECT_EQ(zoom->Item(3), "500%");
    EXPECT_EQ(zoom->Item(4), "Fit");
    EXPECT_EQ(zoom->ItemIndex(), 0);
    EXPECT_TRUE(Find<QToolButton>("sbPolyline")->isChecked());
    EXPECT_FALSE(Find<QToolButton>("sbRect")->isChecked());
    EXPECT_FALSE(Find<QToolButton>("sbElipse")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("edSpotID")->text(), "0");
    EXPECT_EQ(Find<QCheckBox>("chkboxEnabled")->text(), "Ena&bled");
    EXPECT_TRUE(Find<QCheckBox>("chkboxEnabled")->isChecked());
    auto* kind = Find<TRadioGroup>("rdoKind");
    EXPECT_EQ((QStringList{kind->Item(0), kind->Item(1), kind->Item(2), kind->Item(3)}),
              (QStringList{"Normal", "shift", "Mac", "Other"}));
    EXPECT_EQ(kind->ItemIndex(), 0);
    EXPECT_EQ(Find<QToolButton>("sbEdit")->text(), "&Edit Shape");
    EXPECT_EQ(Find<QToolButton>("SpeedButton1")->text(), "Move");
    EXPECT_EQ(Find<QToolButton>("sbDeletePoint")->text(), "De&lete point");
    EXPECT_FALSE(Find<QToolButton>("sbDeletePoint")->isEnabled());
    EXPECT_EQ(Find<TPanel>("pnlNormal")->text(), "Color");
    EXPECT_EQ(Find<TPanel>("pnlShift")->text(), "SHIFT Color");
    EXPECT_EQ(Find<TPanel>("pnlNormal")->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(Find<TPanel>("pnlShift")->palette().color(QPalette::Window), QColor(255, 0, 255));
    EXPECT_TRUE(Find<QPushButton>("btnOk")->isDefault());
    EXPECT_EQ(Find<QPushButton>("btnCancel")->text(), "Cancel");
    EXPECT_TRUE(Find<QLabel>("Label4")->text().isEmpty());
    // At 100 % the picture sits in the middle of the visible area.
    EXPECT_EQ(PaintBox()->size(), ScrollBox()->maximumViewportSize());
}

TEST_F(SpotEditor, OpensWithTheSpotsFields) {
    auto opened = MakeSpot(TSpotShape::Rectangle, {{10, 20}, {50, 60}}, 42);
    opened->Enabled = false;
    opened->KeyKind = 2;
    opened->NormalColor = 0x00102030;
    opened->ToggleColor = 0x00405060;
    opened->Hint = "Vol\r\n\xD2\xF4\xC1\xBF"; // "Vol", a line break, GBK for volume
    Open(std::move(opened));
    EXPECT_EQ(PointEntries(), (QStringList{"(10,20)", "(50,60)"}));
    EXPECT_EQ(SelectedEntry(), 1);
    EXPECT_TRUE(Find<QToolButton>("sbRect")->isChecked());
    EXPECT_EQ(Find<QToolButton>("sbDeletePoint")->text(), "C&lear");
    EXPECT_TRUE(Find<QToolButton>("sbDeletePoint")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>("edSpotID")->text(), "42");
    EXPECT_FALSE(Find<QCheckBox>("chkboxEnabled")->isChecked());
    EXPECT_EQ(Find<TRadioGroup>("rdoKind")->ItemIndex(), 2);
    EXPECT_EQ(Find<QPlainTextEdit>("memHint")->toPlainText(), QString::fromUtf8("Vol\n音量"));
    EXPECT_EQ(Find<TPanel>("pnlNormal")->palette().color(QPalette::Window),
              QColor(0x30, 0x20, 0x10));
    EXPECT_EQ(Find<TPanel>("pnlShift")->palette().color(QPalette::Window),
              QColor(0x60, 0x50, 0x40));
    // OK without a change writes back what was opened.
    EXPECT_EQ(BinaryOf(*Written()), BinaryOf(*spot));
}

TEST_F(SpotEditor, TheEnabledByteStaysAsReadUntilTheBoxIsClicked) {
    auto opened = MakeSpot(TSpotShape::Polyline, {{1, 1}}, 1);
    opened->Enabled = 7;
    Open(std::move(opened));
    EXPECT_TRUE(Find<QCheckBox>("chkboxEnabled")->isChecked());
    EXPECT_EQ(Written()->Enabled, 7);
    test::ClickIndicator(Find<QCheckBox>("chkboxEnabled"));
    EXPECT_EQ(Written()->Enabled, 0);
    test::ClickIndicator(Find<QCheckBox>("chkboxEnabled"));
    EXPECT_EQ(Written()->Enabled, 1);
    Key(Find("chkboxEnabled"), Qt::Key_Z, Qt::ControlModifier);
    Key(Find("chkboxEnabled"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Written()->Enabled, 7);
}

TEST_F(SpotEditor, AKeyKindItCannotShowIsWrittenAsShown) {
    auto opened = MakeSpot(TSpotShape::Polyline, {}, 1);
    opened->KeyKind = 7;
    Open(std::move(opened));
    EXPECT_EQ(Find<TRadioGroup>("rdoKind")->ItemIndex(), 3);
    EXPECT_EQ(Written()->KeyKind, 3);
    auto negative = MakeSpot(TSpotShape::Polyline, {}, 1);
    negative->KeyKind = -4;
    Open(std::move(negative));
    EXPECT_EQ(Find<TRadioGroup>("rdoKind")->ItemIndex(), -1);
    EXPECT_EQ(Written()->KeyKind, -1);
}

TEST_F(SpotEditor, OneClickOnACompleteRectangleReplacesACornerAndEndsDrawing) {
    Open(MakeSpot(TSpotShape::Rectangle, {{10, 20}, {50, 60}}));
    Click(Find("sbEdit"));
    EXPECT_TRUE(Drawing());
    EXPECT_FALSE(Find("lboxPoints")->isEnabled());
    EXPECT_FALSE(Find("pnlShape")->isEnabled());
    EXPECT_EQ(PaintBox()->cursor().shape(), Qt::CrossCursor);
    ClickAt(View({5, 5}, 1));
    EXPECT_FALSE(Drawing());
    EXPECT_EQ(PointEntries(), (QStringList{"(5,5)", "(10,20)"}));
    EXPECT_EQ(SelectedEntry(), 1);
    EXPECT_TRUE(Find("lboxPoints")->isEnabled());
    EXPECT_EQ(PaintBox()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(Written()->Points(), (Points{{5, 5}, {10, 20}}));
}

TEST_F(SpotEditor, AnEmptyRectangleTakesTwoClicks) {
    Open(std::make_unique<TSpot>(TSpotShape::Rectangle));
    EXPECT_TRUE(PointEntries().isEmpty());
    Click(Find("sbEdit"));
    ClickAt(View({40, 40}, 1));
    EXPECT_TRUE(Drawing());
    ClickAt(View({10, 70}, 1));
    EXPECT_FALSE(Drawing());
    EXPECT_EQ(PointEntries(), (QStringList{"(10,40)", "(40,70)"}));
}

TEST_F(SpotEditor, ARectangleOfOnePointOpensEmptyAndIsWrittenAsZeros) {
    Open(MakeSpot(TSpotShape::Rectangle, {{7, 7}, {7, 7}}));
    EXPECT_TRUE(PointEntries().isEmpty());
    EXPECT_FALSE(Find<QToolButton>("sbDeletePoint")->isEnabled());
    EXPECT_EQ(Written()->Points(), (Points{{0, 0}, {0, 0}}));
    Click(Find("btnOk"));
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(editor->LastPoint, (TPoint{})); // no point: nothing remembered
}

TEST_F(SpotEditor, NewPointsOfAPolylineFollowTheSelectedOne) {
    const TPoint a{10, 10}, b{40, 10}, c{40, 40}, d{10, 40};
    Open(MakeSpot(TSpotShape::Polyline, {a, b, c, d}));
    ClickPointEntry(1);
    EXPECT_EQ(SelectedEntry(), 1);
    Click(Find("sbEdit"));
    EXPECT_EQ(PointEntries(), (QStringList{"(40,40)", "(10,40)", "(10,10)", "(40,10)"}));
    ClickAt(View({25, 5}, 1));
    EXPECT_TRUE(Drawing());
    EXPECT_EQ(PointEntries().size(), 5);
    EXPECT_EQ(PointEntries().back(), "(25,5)");
    ClickAt(View({1, 1}, 1), Qt::RightButton); // a right press ends drawing, adding nothing
    EXPECT_FALSE(Drawing());
    EXPECT_EQ(PointEntries().size(), 5);
    EXPECT_EQ(SelectedEntry(), 4);
    EXPECT_TRUE(Find<QToolButton>("sbDeletePoint")->isEnabled());
}

TEST_F(SpotEditor, WithoutASelectedPointDrawingKeepsTheOrder) {
    Open(MakeSpot(TSpotShape::Polyline, {{1, 1}, {9, 1}, {9, 9}}));
    Click(Find("sbDeletePoint")); // deletes the last point and leaves none selected
    EXPECT_EQ(PointEntries(), (QStringList{"(1,1)", "(9,1)"}));
    EXPECT_EQ(SelectedEntry(), -1);
    Click(Find("sbEdit"));
    EXPECT_EQ(PointEntries(), (QStringList{"(1,1)", "(9,1)"}));
    Click(Find("sbEdit"));
    EXPECT_FALSE(Drawing());
    Click(Find("btnOk"));
    EXPECT_EQ(Written()->Points(), (Points{{1, 1}, {9, 1}})); // a two-point polyline
    EXPECT_EQ(editor->LastPoint, FromQPoint(View({1, 1}, 1)));
}

TEST_F(SpotEditor, AShapeChangeAsksBeforeThrowingPointsAway) {
    Open(MakeSpot(TSpotShape::Polyline, {{1, 1}, {9, 1}, {9, 9}}));
    Click(Find("sbRect"));
    EXPECT_EQ(dialogs.shown, QStringList{"Do you want to cancel current drawing?"});
    EXPECT_EQ(dialogs.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
    EXPECT_TRUE(Find<QToolButton>("sbPolyline")->isChecked());
    EXPECT_FALSE(Find<QToolButton>("sbRect")->isChecked());
    EXPECT_EQ(PointEntries().size(), 3);
    dialogs.QueueConfirm(true);
    Click(Find("sbElipse"));
    EXPECT_TRUE(Find<QToolButton>("sbElipse")->isChecked());
    EXPECT_TRUE(PointEntries().isEmpty());
    EXPECT_EQ(Find<QToolButton>("sbDeletePoint")->text(), "C&lear");
    dialogs.Clear();
    Click(Find("sbRect")); // no points: no question
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(Written()->Shape(), TSpotShape::Rectangle);
    Click(Find("sbPolyline"));
    EXPECT_EQ(Find<QToolButton>("sbDeletePoint")->text(), "De&lete point");
    EXPECT_EQ(Written()->Points(), Points{}); // an empty polyline
}

TEST_F(SpotEditor, At300PercentANarrowPictureLiesInTheMiddle) {
    picture = test::TestPicture(100, 80);
    Open(std::make_unique<TSpot>());
    ChooseZoom(2);
    const QSize client = ScrollBox()->maximumViewportSize();
    const QPoint origin((client.width() - 3 * 100) / 2, (client.height() - 3 * 80) / 2);
    MoveTo(origin);
    EXPECT_EQ(Find<QLabel>("Label4")->text(),
              QString("(0,0):(%1,%2)").arg(origin.x()).arg(origin.y()));
    MoveTo(origin - QPoint(2, 0)); // -2/3 of a pixel rounds to -1
    EXPECT_EQ(Find<QLabel>("Label4")->text(),
              QString("(-1,0):(%1,%2)").arg(origin.x() - 2).arg(origin.y()));
}

TEST_F(SpotEditor, At500PercentThePointerSnapsToPicturePixels) {
    Open(std::make_unique<TSpot>());
    ChooseZoom(3); // 1000 x 600: larger than the visible area, not shifted
    EXPECT_EQ(PaintBox()->size(), QSize(1000, 600));
    MoveTo({37, 12});
    EXPECT_EQ(Find<QLabel>("Label4")->text(), "(7,2):(37,12)");
    Click(Find("sbEdit"));
    ClickAt({37, 12});
    Click(Find("sbEdit"));
    EXPECT_EQ(PointEntries(), QStringList{"(7,2)"});
    Click(Find("btnOk"));
    EXPECT_EQ(editor->LastPoint, (TPoint{35, 10}));
}

TEST_F(SpotEditor, TheBandFollowsThePointerInDrawingMode) {
    Open(std::make_unique<TSpot>(TSpotShape::Rectangle));
    MoveTo(View({100, 60}, 1));
    const QImage plain = PaintBox()->grab().toImage();
    Click(Find("sbEdit"));
    MoveTo(View({100, 60}, 1));
    const QPoint far = View({20, 60}, 1); // on the crosshair's horizontal line
    const QImage banded = PaintBox()->grab().toImage();
    EXPECT_EQ(banded.pixel(far), ~plain.pixel(far) | 0xFF000000);
    MoveTo(View({100, 90}, 1));
    EXPECT_EQ(PaintBox()->grab().toImage().pixel(far), plain.pixel(far));
}

TEST_F(SpotEditor, DraggingAPointsHandleMovesItAndOneUndoTakesTheDragBack) {
    Open(MakeSpot(TSpotShape::Polyline, {{10, 10}, {60, 10}, {60, 60}}));
    ChooseZoom(1);
    const QPoint handle = View({60, 60}, 2);
    Drag({handle + QPoint(3, -4), handle + QPoint(10, 0), handle + QPoint(20, 10),
          handle + QPoint(40, 20)});
    EXPECT_EQ(PointEntries().back(), "(80,70)"); // where the pointer was let go
    EXPECT_EQ(SelectedEntry(), 2);
    Key(PaintBox(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(PointEntries().back(), "(60,60)");
    Key(PaintBox(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(PointEntries().back(), "(80,70)");
}

TEST_F(SpotEditor, MoveDragsTheWholeOutlineOnlyWithAPointSelected) {
    Open(MakeSpot(TSpotShape::Polyline, {{10, 10}, {60, 10}, {60, 60}}));
    Click(Find("SpeedButton1"));
    EXPECT_TRUE(Find<QToolButton>("SpeedButton1")->isChecked());
    Drag({View({100, 100}, 1), View({105, 100}, 1), View({110, 103}, 1)});
    EXPECT_EQ(PointEntries(), (QStringList{"(20,13)", "(70,13)", "(70,63)"}));
    // The list was refilled while the outline moved: no point is selected, so "De&lete
    // point" removes none, and another drag moves nothing.
    EXPECT_EQ(SelectedEntry(), -1);
    Click(Find("sbDeletePoint"));
    EXPECT_EQ(PointEntries(), (QStringList{"(20,13)", "(70,13)", "(70,63)"}));
    Drag({View({100, 100}, 1), View({120, 120}, 1)});
    EXPECT_EQ(PointEntries(), (QStringList{"(20,13)", "(70,13)", "(70,63)"}));
    ClickPointEntry(1);
    Click(Find("sbDeletePoint"));
    EXPECT_EQ(PointEntries(), (QStringList{"(20,13)", "(70,63)"}));
}

// A corner of a rectangle or ellipse dragged past the opposite one: the box runs from the
// corner that stayed to where the pointer was let go, corner 0 its top left.
TEST_F(SpotEditor, DraggedCornersStayInOrder) {
    const struct {
        int corner;
        TPoint to;
        QStringList entries;
        int selected;
    } cases[] = {{1, {5, 40}, {"(5,10)", "(20,40)"}, -1},   // past in x only
                 {1, {40, 5}, {"(20,5)", "(40,10)"}, -1},   // past in y only
                 {1, {8, 4}, {"(8,4)", "(20,10)"}, 0},      // past in both
                 {0, {50, 60}, {"(30,40)", "(50,60)"}, 1},  // past in both
                 {0, {25, 12}, {"(25,12)", "(30,40)"}, 0}}; // not past
    for (const TSpotShape shape : {TSpotShape::Rectangle, TSpotShape::Ellipse}) {
        for (const auto& c : cases) {
            const Points corners{{20, 10}, {30, 40}};
            Open(MakeSpot(shape, corners));
            ClickPointEntry(c.corner);
            const TPoint from = corners[static_cast<size_t>(c.corner)];
            const QPoint start = View(from, 1);
            const QPoint end = View(c.to, 1);
            Drag({start, (start + end) / 2, end});
            const std::string trace = std::to_string(c.corner) + " to " + std::to_string(c.to.X) +
                                      "," + std::to_string(c.to.Y);
            EXPECT_EQ(PointEntries(), c.entries) << trace;
            const auto written = Written();
            ASSERT_EQ(written->PointCount(), 2) << trace;
            EXPECT_LE(written->Points()[0].X, written->Points()[1].X) << trace;
            EXPECT_LE(written->Points()[0].Y, written->Points()[1].Y) << trace;
            if (c.selected >= 0) {
                EXPECT_EQ(SelectedEntry(), c.selected) << trace;
            }
            Key(PaintBox(), Qt::Key_Z, Qt::ControlModifier); // one command
            EXPECT_EQ(PointEntries(), (QStringList{"(20,10)", "(30,40)"})) << trace;
        }
    }
}

// Cancel, Escape and the close box ask before throwing changes away, also in the middle of
// drawing, and only then.
TEST_F(SpotEditor, LeavingWithoutOkAsksOnlyWhenThereAreChanges) {
    for (const test::TCloseGesture& gesture : test::CloseGestures()) {
        SCOPED_TRACE(gesture.name);
        dialogs.Clear();
        Open(MakeSpot(TSpotShape::Polyline, {{10, 10}, {60, 10}}));
        gesture.close(*editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_TRUE(dialogs.shown.isEmpty());

        Open(MakeSpot(TSpotShape::Polyline, {{10, 10}, {60, 10}}));
        Click(Find("sbEdit"));
        ClickAt(View({30, 50}, 1));
        ASSERT_TRUE(Drawing());
        gesture.close(*editor); // No: drawing goes on
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(dialogs.shown, QStringList{"Discard the changes to the outlines?"});
        EXPECT_EQ(dialogs.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
        EXPECT_EQ(PointEntries().size(), 3);
        ClickAt(View({40, 60}, 1));
        EXPECT_EQ(PointEntries().size(), 4);
        dialogs.QueueConfirm(true);
        gesture.close(*editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(editor->result(), QDialog::Rejected);
        EXPECT_EQ(dialogs.shown.size(), 2);
    }
}

TEST_F(SpotEditor, KeyIdxTakesDigitsAndAPastedTextTrimmedAndCut) {
    Open(MakeSpot(TSpotShape::Polyline, {}, 5));
    auto* id = Find<QLineEdit>("edSpotID");
    id->setFocus();
    Key(id, Qt::Key_End);
    Key(id, Qt::Key_Backspace);
    Type(id, "12a3");
    EXPECT_EQ(id->text(), "123");
    Type(id, QString::fromUtf8("-+ 中4567890"));
    EXPECT_EQ(id->text(), "123456789"); // nine characters at most
    EXPECT_EQ(Written()->ID, 123456789);
    // Pasted: trimmed and cut to nine characters before it is read.
    const struct {
        const char* pasted;
        const char* shown;
        int32_t id;
    } pastes[] = {{"4x", "4x", 0},
                  {" 12", "12", 12},
                  {"12\t", "12", 12},
                  {"  -42  ", "-42", -42},
                  {"1234567890", "123456789", 123456789},
                  {" 98765432109 ", "987654321", 987654321}};
    for (const auto& p : pastes) {
        id->selectAll();
        QApplication::clipboard()->setText(p.pasted);
        Key(id, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(id->text(), p.shown) << p.pasted;
        EXPECT_EQ(Written()->ID, p.id) << p.pasted;
    }
}

TEST_F(SpotEditor, ALongIdentifierTheSpotHasStaysWhole) {
    Open(MakeSpot(TSpotShape::Polyline, {}, INT32_MIN));
    EXPECT_EQ(Find<QLineEdit>("edSpotID")->text(), "-2147483648");
    EXPECT_EQ(Written()->ID, INT32_MIN);
    auto* id = Find<QLineEdit>("edSpotID");
    id->setFocus();
    Key(id, Qt::Key_End);
    Type(id, "7"); // refused: the identifier stays whole
    EXPECT_EQ(id->text(), "-2147483648");
    EXPECT_EQ(Written()->ID, INT32_MIN);
}

TEST_F(SpotEditor, TheColourPanelsOpenTheColourDialog) {
    Open(std::make_unique<TSpot>());
    dialogs.QueueColor(QColor(0x11, 0x22, 0x33));
    Click(Find("pnlNormal"));
    EXPECT_EQ(Find<TPanel>("pnlNormal")->palette().color(QPalette::Window),
              QColor(0x11, 0x22, 0x33));
    Click(Find("pnlShift")); // cancelled
    EXPECT_EQ(Written()->NormalColor, 0x00332211);
    EXPECT_EQ(Written()->ToggleColor, kDefaultToggleColor);
}

TEST_F(SpotEditor, TheHintKeepsItsLineBreaksAsCrLf) {
    Open(std::make_unique<TSpot>());
    auto* hint = Find<QPlainTextEdit>("memHint");
    hint->setFocus();
    Type(hint, "Power");
    Key(hint, Qt::Key_Return);
    Type(hint, "On");
    EXPECT_EQ(Written()->Hint, "Power\r\nOn");
}

TEST_F(SpotEditor, ARememberedViewPointOpensAt500PercentWithItInView) {
    Open(std::make_unique<TSpot>(), {0, 300});
    EXPECT_EQ(Find<TRadioGroup>("rgZoom")->ItemIndex(), 0);
    Open(std::make_unique<TSpot>(), {600, 300});
    EXPECT_EQ(Find<TRadioGroup>("rgZoom")->ItemIndex(), 3);
    EXPECT_EQ(PaintBox()->width(), 1000);
    const QSize client = ScrollBox()->viewport()->size();
    const int scroll = ScrollBox()->horizontalScrollBar()->value();
    // The visible client, which the scroll bars narrow: the point lands in its middle.
    EXPECT_EQ(scroll, 600 - client.width() + client.width() / 2);
    EXPECT_EQ(600 - scroll, client.width() - client.width() / 2);
}

TEST_F(SpotEditor, OkRemembersTheFirstPointAtTheZoomInForce) {
    Open(MakeSpot(TSpotShape::Polyline, {{30, 20}, {40, 40}}));
    ChooseZoom(3);
    Click(Find("btnOk"));
    EXPECT_EQ(editor->LastPoint, (TPoint{150, 100}));
    Open(MakeSpot(TSpotShape::Polyline, {{30, 20}}), {7, 7});
    Click(Find("btnCancel"));
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_EQ(editor->LastPoint, (TPoint{7, 7}));
}

TEST_F(SpotEditor, EditSpotWritesOnlyOnOk) {
    auto held = MakeSpot(TSpotShape::Polyline, {{1, 1}}, 3);
    held->SetMask({kMaskOverPoint, {4, 4}, {}});
    const std::vector<uint8_t> before = BinaryOf(*held);
    for (const bool ok : {false, true}) {
        TSpotEditor dialog(dialogs);
        dialogs.QueueConfirm(true); // discard the typed digit on Cancel
        test::WhenModal<TSpotEditor>([ok](TSpotEditor& shown) {
            Type(test::Find(&shown, "edSpotID"), "9");
            Click(test::Find(&shown, ok ? "btnOk" : "btnCancel"));
        });
        TSpotData edited = held->Data();
        EXPECT_EQ(dialog.EditSpot(picture, edited), ok);
        EXPECT_EQ(edited.ID, ok ? 39 : 3);
        EXPECT_EQ(edited.Mask, (TSpotMask{kMaskOverPoint, {4, 4}, {}}));
        if (!ok) {
            EXPECT_EQ(BinaryOf(TSpot(edited)), before);
        }
    }
}

// Every kind of change through the window, then as many Ctrl+Z: the opening spot byte for
// byte; as many Ctrl+Shift+Z or Ctrl+Y: the edited one. The text boxes give the keys up.
TEST_F(SpotEditor, UndoAndRedoKeysRetraceEveryChange) {
    Open(MakeSpot(TSpotShape::Polyline, {{10, 10}, {60, 10}, {60, 60}}, 4));
    const std::vector<uint8_t> opening = BinaryOf(*Written());
    Click(Find("sbEdit"));
    ClickAt(View({20, 50}, 1));
    ClickAt(View({30, 70}, 1));
    Click(Find("sbEdit"));
    Drag({View({30, 70}, 1), View({35, 75}, 1)});
    test::ClickIndicator(Find<QCheckBox>("chkboxEnabled"));
    test::ClickIndicator(Find<TRadioGroup>("rdoKind")->findChildren<QRadioButton*>()[3]);
    dialogs.QueueColor(QColor(1, 2, 3));
    Click(Find("pnlShift"));
    auto* id = Find<QLineEdit>("edSpotID");
    id->setFocus();
    Type(id, "77");
    auto* hint = Find<QPlainTextEdit>("memHint");
    hint->setFocus();
    Type(hint, "Mute");
    dialogs.QueueConfirm(true);
    Click(Find("sbElipse"));
    Click(Find("sbEdit"));
    ClickAt(View({5, 5}, 1));
    ClickAt(View({50, 40}, 1));
    const std::vector<uint8_t> edited = BinaryOf(*Written());
    EXPECT_EQ(Written()->Points(), (Points{{5, 5}, {50, 40}}));

    int undos = 0;
    id->setFocus();
    while (BinaryOf(*Written()) != opening && undos < 30) {
        Key(undos % 2 ? static_cast<QWidget*>(hint) : id, Qt::Key_Z, Qt::ControlModifier);
        ++undos;
    }
    EXPECT_EQ(BinaryOf(*Written()), opening);
    EXPECT_EQ(undos, 11); // two points, the drag, three fields, two texts, the shape, two corners
    Key(id, Qt::Key_Z, Qt::ControlModifier); // nothing before the opening
    EXPECT_EQ(BinaryOf(*Written()), opening);
    EXPECT_EQ(Find<QToolButton>("sbPolyline")->isChecked(), true);
    EXPECT_EQ(id->text(), "4");
    for (int i = 0; i < undos; ++i)
        Key(PaintBox(), i % 2 ? Qt::Key_Y : Qt::Key_Z,
            i % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(BinaryOf(*Written()), edited);
    EXPECT_EQ(id->text(), "477");
    EXPECT_TRUE(Find<QToolButton>("sbElipse")->isChecked());
}

} // namespace
} // namespace mm
