// The hot-map editor offscreen: real clicks, double clicks, drags and keys on its list, its
// picture and its buttons, the spot editor answered inside its modal loop, scripted dialogs.
#include "hotedit/windows/HotMapEditor.h"
#include "EditorSupport.h"
#include "HotMapBinary.h"
#include "HotMapBytes.h"
#include "PictureSupport.h"
#include "QtPrinters.h"
#include "SpotSupport.h"
#include "TestSupport.h"
#include "controls/RadioGroup.h"
#include "hotedit/windows/SpotEditor.h"
#include "hotimage/core/HotMapFormats.h"
#include "hotimage/widgets/HotImage.h"
#include "platform/ui/Dialogs.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <filesystem>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::BinaryOf;
using test::Click;
using test::Key;
using test::MakeSpot;
using test::Settle;
using test::Type;

// Spots with the IDs given, rectangles side by side in the 40 x 30 picture, with hints.
void Fill(THotSpots& spots, const std::vector<int32_t>& ids) {
    for (size_t i = 0; i < ids.size(); ++i) {
        const int x = static_cast<int>(i) * 8;
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{x, 0}, {x + 6, 6}}, ids[i]))->Hint =
            "Key " + std::to_string(i);
    }
}

class HotMapEditor : public testing::Test {
protected:
    TScriptedDialogs dialogs;
    test::TempDir dir;
    QImage picture = test::TestPicture(40, 30); // shown at 5 x: 200 x 150
    THotSpots opened;
    std::unique_ptr<THotMapEditor> editor;

    void Open(const QString& caption = "HotImage1") {
        editor = std::make_unique<THotMapEditor>(dialogs, picture, opened, caption);
        editor->show();
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        Settle();
    }

    template <typename T = QWidget> T* Find(const char* name) {
        return test::Find<T>(editor.get(), name);
    }
    QListWidget* List() { return Find<QListWidget>("lboxSpots"); }
    QPoint EntryCentre(int row) { return List()->visualItemRect(List()->item(row)).center(); }
    void ClickEntry(int row) { Click(List()->viewport(), Qt::LeftButton, EntryCentre(row)); }
    // As the platform reports a double click: a click, then the second press.
    void DoubleClickEntry(int row) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, EntryCentre(row));
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, EntryCentre(row));
        Settle();
    }
    void ClickButton(const char* name) { Click(Find(name)); }
    // A click on the paint area over a picture point.
    void ClickPicture(QPoint p) { Click(Find("PaintBox1"), Qt::LeftButton, p * 5 + QPoint(2, 2)); }
    bool Enabled(const char* name) { return Find(name)->isEnabled(); }
    std::vector<bool> Buttons() {
        return {Enabled("btnEditSpot"), Enabled("btnMask"), Enabled("btnDeleteSpot"),
                Enabled("btnSave"), Enabled("btnClear")};
    }

    QStringList Texts() {
        QStringList texts;
        for (int i = 0; i < List()->count(); ++i)
            texts << List()->item(i)->text();
        return texts;
    }
    std::vector<int> Ids() {
        std::vector<int> ids;
        for (int i = 0; i < List()->count(); ++i)
            ids.push_back(List()->item(i)->data(Qt::UserRole).toInt());
        return ids;
    }
    int Selected() { return List()->currentRow(); }
    THotSpots& Result(THotSpots& target) {
        editor->HandBack(target);
        return target;
    }
    std::vector<int> ResultIds() {
        THotSpots result;
        Result(result);
        std::vector<int> ids;
        for (int i = 0; i < result.Count(); ++i)
            ids.push_back(result.Items(i)->ID);
        return ids;
    }
    std::vector<uint8_t> ResultBytes() {
        THotSpots result;
        return BinaryOf(Result(result));
    }
};

// Inside the spot editor: clicks at picture points in drawing mode, then OK.
void DrawAndConfirm(TSpotEditor& spotEditor, QSize picture, const std::vector<QPoint>& points) {
    QWidget* paint = test::Find(&spotEditor, "PaintBox");
    auto* scroll = test::Find<QScrollArea>(&spotEditor, "ScrollBox1");
    Click(test::Find(&spotEditor, "sbEdit"));
    for (const QPoint& p : points) {
        const QPoint at = test::SpotEditorView(scroll, picture, p, 1);
        QTest::mouseClick(paint, Qt::LeftButton, {}, at);
        Settle();
    }
    Click(test::Find(&spotEditor, "sbEdit"));
    Click(test::Find(&spotEditor, "btnOk"));
}

TEST_F(HotMapEditor, HasItsControlsAndInitialStates) {
    Fill(opened, {1, 2, 3});
    Open();
    EXPECT_EQ(editor->windowTitle(), "HotImage1");
    EXPECT_GE(editor->width(), 424);
    EXPECT_GE(editor->height(), 269);
    EXPECT_EQ(Find<QGroupBox>("GroupBox1")->title(), "Hot Image");
    EXPECT_EQ(Find<QGroupBox>("GroupBox1")->geometry(), QRect(6, 4, 217, 227));
    EXPECT_EQ(Find("ScrollBox1")->size(), QSize(204, 204));
    EXPECT_EQ(Find("PaintBox1")->size(), QSize(200, 200));
    EXPECT_EQ(Find<QGroupBox>("GroupBox2")->title(), "S&pots");
    EXPECT_EQ(Find<QGroupBox>("GroupBox2")->pos(), QPoint(232, 4));
    const std::pair<const char*, const char*> captions[] = {
        {"btnEditSpot", "&Edit...."}, {"btnMask", "Copy"},    {"btnNewSpot", "&New..."},
        {"btnDeleteSpot", "&Delete"}, {"btnLoad", "&Load.."}, {"btnSave", "&Save..."},
        {"btnClear", "Clear"},        {"btnOk", "OK"},        {"btnCancel", "Cancel"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(Find<QPushButton>(name)->text(), caption) << name;
    EXPECT_TRUE(Find<QPushButton>("btnOk")->isDefault());
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, true, true}));
    EXPECT_TRUE(Enabled("btnNewSpot"));
    EXPECT_TRUE(Enabled("btnLoad"));

    opened.Clear();
    Open();
    EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, false, false}));
}

TEST_F(HotMapEditor, ListsEachSpotWithItsIdShapeMaskAndText) {
    opened.Add(MakeSpot(TSpotShape::Polyline, {{1, 1}, {5, 1}, {3, 4}}, 12))->Hint = "Power\nOn";
    opened.Add(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}, -3))->Hint =
        "Power\r\nOn and a long tail of text";
    opened.Add(MakeSpot(TSpotShape::Ellipse, {{1, 1}, {5, 5}}, 7));
    opened.Items(0)->SetMask({kMaskOverPoint | kMaskDownPoint, {1, 1}, {2, 2}});
    opened.Items(2)->Enabled = false;
    Open();
    EXPECT_EQ(Texts(), (QStringList{"Power On...", "Power  On and a long tai...", "..."}));
    EXPECT_EQ(Ids(), (std::vector<int>{12, -3, 7}));

    // The entries are drawn by the list: shape icon and mask lines in the text colour, grey
    // for a disabled spot.
    const QImage face = List()->viewport()->grab().toImage();
    const QPalette palette = List()->palette();
    auto at = [&](int row, int dx, int dy) {
        const QRect r = List()->visualItemRect(List()->item(row));
        const int y = dy >= 0 ? r.top() + dy : r.top() + r.height() + dy;
        return QColor(face.pixel(r.left() + dx, y));
    };
    EXPECT_EQ(at(0, 30, 6), palette.color(QPalette::Text));  // the triangle's left side
    EXPECT_EQ(at(0, 49, 5), palette.color(QPalette::Text));  // MOUSEOVER
    EXPECT_EQ(at(0, 49, -2), palette.color(QPalette::Text)); // MOUSEDOWN
    EXPECT_EQ(at(1, 49, 5), palette.color(QPalette::Base));  // no mask
    EXPECT_EQ(at(1, 30, 6), palette.color(QPalette::Text));  // the rectangle's left side
    EXPECT_EQ(at(2, 34, 2), palette.color(QPalette::Disabled, QPalette::Text)); // ellipse top
    ClickEntry(1);
    const QImage selected = List()->viewport()->grab().toImage();
    const QRect r = List()->visualItemRect(List()->item(1));
    EXPECT_EQ(QColor(selected.pixel(r.left() + 42, r.top() + 1)),
              palette.color(QPalette::Highlight));
    EXPECT_EQ(QColor(selected.pixel(r.left() + 30, r.top() + 6)),
              palette.color(QPalette::HighlightedText));
}

TEST_F(HotMapEditor, ClickingThePictureSelectsTheFirstEnabledSpotThere) {
    opened.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {20, 20}}, 1))->Enabled = false;
    opened.Add(MakeSpot(TSpotShape::Rectangle, {{10, 10}, {30, 30}}, 2));
    opened.Add(MakeSpot(TSpotShape::Rectangle, {{30, 0}, {40, 10}}, 3))->Enabled = false;
    Open();
    const QImage plain = Find("PaintBox1")->grab().toImage();
    ClickPicture({15, 15});
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, true, true, true}));
    // The outline of spot 1 runs along (50, 50)-(150, 150) on the paint area, in not-xor.
    const QImage outlined = Find("PaintBox1")->grab().toImage();
    EXPECT_EQ(outlined.pixel(100, 50), ~plain.pixel(100, 50) | 0xFF000000);
    EXPECT_EQ(outlined.pixel(100, 100), plain.pixel(100, 100));
    ClickPicture({35, 5});
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, true, true}));
    EXPECT_TRUE(Find("PaintBox1")->grab().toImage() == plain);
    ClickPicture({25, 25});
    Click(Find("PaintBox1"), Qt::RightButton, QPoint(1, 1)); // any button
    EXPECT_EQ(Selected(), -1);
}

TEST_F(HotMapEditor, NewProposesTheNextIdAndAppendsTheSpotOnOk) {
    Fill(opened, {3, 7, 5});
    Open();
    QString caption;
    QString proposed;
    int zoom = -1;
    test::WhenModal<TSpotEditor>([&](TSpotEditor& spotEditor) {
        caption = spotEditor.windowTitle();
        proposed = test::Find<QLineEdit>(&spotEditor, "edSpotID")->text();
        zoom = test::Find<TRadioGroup>(&spotEditor, "rgZoom")->ItemIndex();
        DrawAndConfirm(spotEditor, picture.size(), {{20, 20}, {30, 20}, {25, 28}});
    });
    ClickButton("btnNewSpot");
    EXPECT_EQ(caption, "HotImage1 - New Spot");
    EXPECT_EQ(proposed, "8");
    EXPECT_EQ(zoom, 0); // the first spot editor opens at 100 %
    EXPECT_EQ(Ids(), (std::vector<int>{3, 7, 5, 8}));
    EXPECT_EQ(Selected(), 3);
    THotSpots result;
    Result(result);
    EXPECT_EQ(result.Items(3)->Points(), (std::vector<TPoint>{{20, 20}, {30, 20}, {25, 28}}));

    // The next one opens at 500 % near the first point of the last confirmed spot; cancelled,
    // it adds nothing.
    test::WhenModal<TSpotEditor>([&](TSpotEditor& spotEditor) {
        zoom = test::Find<TRadioGroup>(&spotEditor, "rgZoom")->ItemIndex();
        Click(test::Find(&spotEditor, "btnCancel"));
    });
    ClickButton("btnNewSpot");
    EXPECT_EQ(zoom, 3);
    EXPECT_EQ(Ids(), (std::vector<int>{3, 7, 5, 8}));
    EXPECT_EQ(Selected(), 3);
}

TEST_F(HotMapEditor, EditRunsTheSpotEditorOnTheSelectedSpot) {
    Fill(opened, {1, 2, 3});
    Open();
    ClickButton("btnEditSpot"); // disabled without a selection: nothing opens
    QString caption;
    test::WhenModal<TSpotEditor>([&](TSpotEditor& spotEditor) {
        caption = spotEditor.windowTitle();
        auto* hint = test::Find<QPlainTextEdit>(&spotEditor, "memHint");
        hint->moveCursor(QTextCursor::End);
        Type(hint, " Vol+");
        Click(test::Find(&spotEditor, "btnOk"));
    });
    ClickEntry(2);
    ClickButton("btnEditSpot");
    EXPECT_EQ(caption, "HotImage1[2]");
    EXPECT_EQ(Texts()[2], "Key 2 Vol+...");
    EXPECT_EQ(Selected(), 2);

    test::WhenModal<TSpotEditor>([&](TSpotEditor& spotEditor) {
        caption = spotEditor.windowTitle();
        Type(test::Find(&spotEditor, "edSpotID"), "9");
        Click(test::Find(&spotEditor, "btnCancel"));
    });
    dialogs.QueueConfirm(true);
    DoubleClickEntry(1);
    EXPECT_EQ(caption, "HotImage1[1]");
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(dialogs.shown, QStringList{"Discard the changes to the outlines?"});
}

TEST_F(HotMapEditor, CopyAppendsTheSpotWithTheNextIdAndWithoutItsMask) {
    Fill(opened, {4, 9});
    opened.Items(0)->SetMask({kMaskOverPoint, {1, 2}, {}});
    opened.Items(0)->NormalColor = 0x123456;
    Open();
    ClickEntry(0);
    ClickButton("btnMask");
    EXPECT_EQ(Ids(), (std::vector<int>{4, 9, 10}));
    EXPECT_EQ(Selected(), 2);
    THotSpots result;
    Result(result);
    TSpotData expected = result.Items(0)->Data();
    expected.ID = 10;
    expected.Mask = {};
    EXPECT_EQ(result.Items(2)->Data(), expected);
}

TEST_F(HotMapEditor, DeleteRemovesTheSpotWithoutAQuestion) {
    Fill(opened, {1, 2});
    Open();
    ClickEntry(0);
    ClickButton("btnDeleteSpot");
    EXPECT_EQ(Ids(), std::vector<int>{2});
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, true, true}));
    ClickEntry(0);
    ClickButton("btnDeleteSpot");
    EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(HotMapEditor, ClearAsksFirst) {
    Fill(opened, {1, 2});
    Open();
    ClickEntry(1);
    ClickButton("btnClear");
    EXPECT_EQ(dialogs.shown, QStringList{"Do you really want to remove all Spots?"});
    EXPECT_EQ(dialogs.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2}));
    dialogs.QueueConfirm(true);
    ClickButton("btnClear");
    EXPECT_TRUE(Ids().empty());
    EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, false, false}));
}

TEST_F(HotMapEditor, DraggingEntry0OntoEntry3ReordersListAndHotMap) {
    Fill(opened, {0, 1, 2, 3, 4});
    Open();
    QWidget* viewport = List()->viewport();
    QTest::mouseMove(viewport, EntryCentre(0));
    QTest::mousePress(viewport, Qt::LeftButton, {}, EntryCentre(0));
    for (int row : {1, 2, 3})
        QTest::mouseMove(viewport, EntryCentre(row));
    EXPECT_EQ(viewport->cursor().shape(), Qt::SplitVCursor);
    EXPECT_EQ(Selected(), 0); // the dragged entry stays selected while it moves
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, EntryCentre(3));
    Settle();
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3, 0, 4}));
    EXPECT_EQ(Texts()[3], "Key 0...");
    EXPECT_EQ(ResultIds(), (std::vector<int>{1, 2, 3, 0, 4}));
    EXPECT_EQ(Selected(), 3);
    EXPECT_NE(viewport->cursor().shape(), Qt::SplitVCursor);

    // Dropped on itself or below the entries: nothing moves.
    for (const QPoint drop : {EntryCentre(3) + QPoint(0, 1), QPoint(5, viewport->height() - 2)}) {
        QTest::mousePress(viewport, Qt::LeftButton, {}, EntryCentre(3));
        QTest::mouseMove(viewport, EntryCentre(3) + QPoint(0, 20));
        QTest::mouseMove(viewport, drop);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, drop);
        Settle();
        EXPECT_EQ(ResultIds(), (std::vector<int>{1, 2, 3, 0, 4}));
    }
}

TEST_F(HotMapEditor, LoadAndSaveOfferTheHotMapFormats) {
    Fill(opened, {1, 2, 3});
    Open();
    dialogs.QueueFilter(0);
    dialogs.QueueFile(QString::fromStdString(dir.File("out.HMP")));
    ClickButton("btnSave");
    EXPECT_EQ(test::ReadBytes(dir.File("out.HMP")), BinaryOf(opened));
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileDialogRequest save = dialogs.fileRequests[0];
    EXPECT_EQ(save.kind, FileDialogKind::Save);
    EXPECT_EQ(save.filter, "Hot-map binary files (*.hmp);;Hot-map text files (*.hmt)");
    EXPECT_EQ(save.defaultExt, "hmt");
    EXPECT_EQ(save.filterIndex, 1);
    for (const char* name : {"out.txt", "out"}) {
        dialogs.QueueFile(QString::fromStdString(dir.File(name)));
        ClickButton("btnSave");
    }
    const std::string text = HotMapText(opened);
    EXPECT_EQ(test::ReadBytes(dir.File("out.txt")), std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(test::ReadBytes(dir.File("out.hmt")), std::vector<uint8_t>(text.begin(), text.end()));

    THotSpots other;
    Fill(other, {7, 8});
    other.SaveToFile(dir.File("other.hmp"));
    dialogs.fileRequests.clear();
    dialogs.QueueFile(QString::fromStdString(dir.File("other.hmp")));
    ClickButton("btnLoad");
    const FileDialogRequest load = dialogs.fileRequests.at(0);
    EXPECT_EQ(load.kind, FileDialogKind::Open);
    EXPECT_EQ(load.filter, "Hot-map files (*.hmp *.hmt);;All files (*)");
    EXPECT_EQ(load.defaultExt, "hmt");
    EXPECT_EQ(load.filterIndex, 0);
    EXPECT_EQ(Ids(), (std::vector<int>{7, 8}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, true, true, true}));
    dialogs.QueueFile(QString::fromStdString(dir.File("out.txt")));
    ClickButton("btnLoad");
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3}));

    ClickButton("btnLoad"); // cancelled: nothing changes
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// "&Load.." reads a file by its first bytes: a model's own file holds the binary format under
// ".hmt", and any name may hold either format.
TEST_F(HotMapEditor, LoadReadsTheFormatTheFileStartsWith) {
    THotSpots binary, text;
    Fill(binary, {7, 8});
    Fill(text, {5});
    const struct {
        const char* name;
        const THotSpots& spots;
        bool asBinary;
        std::vector<int> ids;
    } cases[] = {{"Model0007.hmt", binary, true, {7, 8}},
                 {"plain.dat", binary, true, {7, 8}},
                 {"text.hmp", text, false, {5}},
                 {"text.hmt", text, false, {5}},
                 {"old.txt", binary, true, {7, 8}}};
    Fill(opened, {1});
    Open();
    for (const auto& c : cases) {
        if (c.asBinary)
            c.spots.SaveToFile(dir.File(c.name));
        else
            SaveHotMapText(dir.File(c.name), c.spots);
        ClickButton("btnClear"); // not confirmed: the list stays, so each load shows
        dialogs.QueueFile(QString::fromStdString(dir.File(c.name)));
        ClickButton("btnLoad");
        EXPECT_EQ(Ids(), c.ids) << c.name;
        EXPECT_EQ(ResultBytes(), BinaryOf(c.spots)) << c.name;
    }
    // The old signature is read as binary too.
    std::vector<uint8_t> old = BinaryOf(binary);
    old[3] = 'p';
    test::WriteBytes(dir.File("old.hmt"), old);
    dialogs.QueueFile(QString::fromStdString(dir.File("old.hmt")));
    ClickButton("btnLoad");
    EXPECT_EQ(Ids(), (std::vector<int>{7, 8}));
    EXPECT_EQ(dialogs.shown,
              QStringList(std::size(cases), "Do you really want to remove all Spots?"))
        << dialogs.shown.join("|").toStdString();
}

// "&Save..." writes the format of the filter chosen, and a name without an extension gets
// that filter's.
TEST_F(HotMapEditor, SaveWritesTheFormatOfTheFilterChosen) {
    Fill(opened, {1, 2, 3});
    const std::string text = HotMapText(opened);
    const std::vector<uint8_t> textBytes(text.begin(), text.end());
    const struct {
        int filter;
        const char* typed;
        const char* written;
        bool binary;
    } cases[] = {{0, "a", "a.hmp", true},
                 {1, "b", "b.hmt", false},
                 {0, "c.hmt", "c.hmt", true},
                 {1, "d.hmp", "d.hmp", false},
                 {0, "Model0001.hmt", "Model0001.hmt", true}};
    Open();
    for (const auto& c : cases) {
        dialogs.QueueFilter(c.filter);
        dialogs.QueueFile(QString::fromStdString(dir.File(c.typed)));
        ClickButton("btnSave");
        EXPECT_EQ(test::ReadBytes(dir.File(c.written)), c.binary ? BinaryOf(opened) : textBytes)
            << c.typed;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("a")));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// Cancel, Escape and the close box ask before throwing changes away, and only then.
TEST_F(HotMapEditor, LeavingWithoutOkAsksOnlyWhenThereAreChanges) {
    Fill(opened, {1, 2});
    for (const test::TCloseGesture& gesture : test::CloseGestures()) {
        SCOPED_TRACE(gesture.name);
        dialogs.Clear();
        Open();
        gesture.close(*editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(editor->result(), QDialog::Rejected);
        EXPECT_TRUE(dialogs.shown.isEmpty());

        Open();
        ClickEntry(0);
        ClickButton("btnDeleteSpot");
        gesture.close(*editor); // No: the edit goes on
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(dialogs.shown, QStringList{"Discard the changes to the outlines?"});
        EXPECT_EQ(dialogs.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
        EXPECT_EQ(Ids(), std::vector<int>{2});
        Key(List(), Qt::Key_Z, Qt::ControlModifier); // back at the opening: nothing to lose
        gesture.close(*editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(dialogs.shown.size(), 1);

        Open();
        ClickEntry(1);
        ClickButton("btnDeleteSpot");
        dialogs.QueueConfirm(true);
        gesture.close(*editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(editor->result(), QDialog::Rejected);
        EXPECT_EQ(dialogs.shown.size(), 2);
    }
}

// Enter means OK after Clear and Delete: the focus goes back to the list, and no other button
// takes Enter for itself.
TEST_F(HotMapEditor, EnterMeansOkAfterClearAndDelete) {
    Fill(opened, {1, 2, 3});
    const struct {
        const char* name;
        std::function<void()> act;
        std::vector<int> ids;
    } cases[] = {{"Delete",
                  [this] {
                      ClickEntry(0);
                      ClickButton("btnDeleteSpot");
                  },
                  {2, 3}},
                 {"Clear",
                  [this] {
                      dialogs.QueueConfirm(true);
                      ClickButton("btnClear");
                  },
                  {}},
                 {"Clear, not confirmed", [this] { ClickButton("btnClear"); }, {1, 2, 3}},
                 {"Load, cancelled", [this] { ClickButton("btnLoad"); }, {1, 2, 3}}};
    for (const auto& c : cases) {
        Open();
        c.act();
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << c.name;
        if (std::string(c.name) != "Load, cancelled") {
            EXPECT_EQ(focus, List()) << c.name;
        }
        EXPECT_TRUE(Find<QPushButton>("btnOk")->isDefault()) << c.name;
        Key(focus, Qt::Key_Return);
        EXPECT_FALSE(editor->isVisible()) << c.name;
        EXPECT_EQ(editor->result(), QDialog::Accepted) << c.name;
        EXPECT_EQ(ResultIds(), c.ids) << c.name;
    }
}

// The Delete key in the list deletes the selected spot as one command; a double click
// anywhere in the list opens the selected spot.
TEST_F(HotMapEditor, DeleteKeyAndDoubleClickInTheList) {
    Fill(opened, {1, 2, 3});
    Open();
    Key(List(), Qt::Key_Delete); // nothing selected: nothing happens
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3}));
    ClickEntry(1);
    Key(List(), Qt::Key_Delete);
    EXPECT_EQ(Ids(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Selected(), -1);
    Key(List(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(dialogs.shown.isEmpty());

    const QPoint below(5, List()->viewport()->height() - 3);
    ASSERT_EQ(List()->itemAt(below), nullptr);
    for (const QPoint at : {EntryCentre(2), below}) {
        ClickEntry(2);
        QString caption;
        test::WhenModal<TSpotEditor>([&caption](TSpotEditor& spotEditor) {
            caption = spotEditor.windowTitle();
            Click(test::Find(&spotEditor, "btnCancel"));
        });
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, at);
        Settle();
        EXPECT_EQ(caption, "HotImage1[2]");
    }
}

TEST_F(HotMapEditor, AFileThatCannotBeReadIsReportedAndTheListRebuilt) {
    Fill(opened, {1, 2, 3});
    Open();
    ClickEntry(1);
    // One whole spot, then a shape the format does not know.
    test::WriteBytes(dir.File("bad.hmp"), test::THotMapBytes()
                                              .Tag("HMAP")
                                              .Ints({0, 2})
                                              .U8(1)
                                              .Fields(42)
                                              .Ints({1, 2, 3, 4})
                                              .U8(3)
                                              .Bytes());
    dialogs.QueueFile(QString::fromStdString(dir.File("bad.hmp")));
    ClickButton("btnLoad");
    EXPECT_EQ(dialogs.shown, QStringList{QString::fromStdString(
                                 "Cannot read file \"" + dir.File("bad.hmp") +
                                 "\". HotMap: Invalid Stream format: the shape byte of spot 1 is "
                                 "3; a shape is 0 (polyline), 1 (rectangle) or 2 (ellipse).")});
    EXPECT_EQ(Ids(), (std::vector<int>{42}));
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, true, true}));
    Key(List(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3}));

    const std::string missing = dir.File("missing/out.hmp");
    dialogs.QueueFile(QString::fromStdString(missing));
    ClickButton("btnSave");
    EXPECT_EQ(dialogs.shown.back(), QString::fromStdString("Cannot create file \"" + missing +
                                                           "\". No such file or directory."));
    EXPECT_EQ(ResultBytes(), BinaryOf(opened));
}

// Commands through the window, then as many Ctrl+Z: the opening hot map byte for byte; as
// many Ctrl+Shift+Z or Ctrl+Y: the edited one.
TEST_F(HotMapEditor, UndoAndRedoKeysRetraceEveryCommand) {
    Fill(opened, {0, 1, 2, 3, 4});
    opened.Items(2)->SetMask({kMaskDownPoint, {}, {5, 5}});
    THotSpots loaded;
    Fill(loaded, {20, 21});
    loaded.SaveToFile(dir.File("loaded.hmp"));
    Open();
    const std::vector<uint8_t> opening = ResultBytes();
    test::WhenModal<TSpotEditor>([&](TSpotEditor& spotEditor) {
        DrawAndConfirm(spotEditor, picture.size(), {{1, 20}, {9, 20}, {5, 28}});
    });
    ClickButton("btnNewSpot"); // 1
    ClickEntry(2);
    ClickButton("btnMask"); // 2
    ClickEntry(0);
    ClickButton("btnDeleteSpot"); // 3
    QWidget* viewport = List()->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, EntryCentre(0));
    QTest::mouseMove(viewport, EntryCentre(2));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, EntryCentre(2)); // 4
    Settle();
    test::WhenModal<TSpotEditor>([&](TSpotEditor& spotEditor) {
        Type(test::Find(&spotEditor, "edSpotID"), "5");
        Click(test::Find(&spotEditor, "btnOk"));
    });
    ClickButton("btnEditSpot"); // 5
    dialogs.QueueConfirm(true);
    ClickButton("btnClear"); // 6
    dialogs.QueueFile(QString::fromStdString(dir.File("loaded.hmp")));
    ClickButton("btnLoad"); // 7
    const std::vector<uint8_t> edited = ResultBytes();
    EXPECT_EQ(Ids(), (std::vector<int>{20, 21}));

    for (int i = 0; i < 7; ++i)
        Key(i % 2 ? static_cast<QWidget*>(List()) : editor.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ResultBytes(), opening);
    Key(List(), Qt::Key_Z, Qt::ControlModifier); // nothing before the opening
    EXPECT_EQ(ResultBytes(), opening);
    EXPECT_EQ(Ids(), (std::vector<int>{0, 1, 2, 3, 4}));
    for (int i = 0; i < 7; ++i)
        Key(List(), i % 2 ? Qt::Key_Y : Qt::Key_Z,
            i % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ResultBytes(), edited);
    EXPECT_EQ(Ids(), (std::vector<int>{20, 21}));
}

// EditHotMap as the button shape window runs it: modal, on a copy of the control's list.
class EditHotMapTest : public testing::Test {
protected:
    TScriptedDialogs dialogs;
    THotImage image;
    THotSpots spots;

    void SetUp() override {
        image.setObjectName("HotImage1");
        Fill(spots, {1, 2, 3});
    }
};

TEST_F(EditHotMapTest, CancelLeavesTheHotMapAsItWas) {
    image.SetPicture(test::TestPicture(40, 30));
    const std::vector<uint8_t> before = BinaryOf(spots);
    test::WhenModal<THotMapEditor>([](THotMapEditor& editor) {
        auto* list = test::Find<QListWidget>(&editor, "lboxSpots");
        Click(list->viewport(), Qt::LeftButton, list->visualItemRect(list->item(0)).center());
        Click(test::Find(&editor, "btnDeleteSpot"));
        Click(test::Find(&editor, "btnCancel"));
    });
    dialogs.QueueConfirm(true);
    EXPECT_FALSE(EditHotMap(dialogs, image.Picture(), spots, "HotImage1"));
    EXPECT_EQ(BinaryOf(spots), before);
    EXPECT_EQ(dialogs.shown, QStringList{"Discard the changes to the outlines?"});
    dialogs.Clear();

    test::WhenModal<THotMapEditor>([](THotMapEditor& editor) {
        EXPECT_EQ(editor.windowTitle(), "HotImage1");
        auto* list = test::Find<QListWidget>(&editor, "lboxSpots");
        Click(list->viewport(), Qt::LeftButton, list->visualItemRect(list->item(0)).center());
        Click(test::Find(&editor, "btnDeleteSpot"));
        list->setFocus(); // a button with the focus would take Return itself
        Key(list, Qt::Key_Return);
    });
    EXPECT_TRUE(EditHotMap(dialogs, image.Picture(), spots, "HotImage1"));
    EXPECT_EQ(spots.Count(), 2);
    EXPECT_EQ(spots.Items(0)->ID, 2);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EditHotMapTest, WithoutAPictureTheEditorSaysSo) {
    EXPECT_FALSE(EditHotMap(dialogs, image.Picture(), spots, "HotImage1"));
    THotSpots unowned;
    EXPECT_FALSE(EditHotMap(dialogs, QImage(), unowned, "HotImage1"));
    EXPECT_EQ(dialogs.shown,
              (QStringList{"Picture property undefined", "Picture property undefined"}));
    EXPECT_EQ(spots.Count(), 3);
}

} // namespace
} // namespace mm
