// Everyday gestures that must not lose work: Escape while typing, a wheel notch over a control
// the user never clicked, numbers typed beyond a range, a double click on a button that toggles,
// letters typed on into a question; and every write told in the status bar.
#include "ModelChecks.h"
#include "WindowFixture.h"
#include "controls/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

namespace mm {
namespace {

using test::WindowTest;

class Gestures : public WindowTest {
protected:
    TSpinEdit* KeyCounts() { return Find<TSpinEdit>("SpinEdit1"); }
    TtsGrid* Keys() { return Grid("tsGridKeyList1"); }

    static TMyModelRecord WithKeys(uint16_t id, int n) { return test::ModelWithKeys(id, "TV", n); }

    // One notch of the wheel with the pointer resting on the widget, as the platform sends it.
    void Wheel(QWidget* widget, int notches) {
        const QPoint at = widget->rect().center();
        QTest::mouseMove(widget, at);
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::sendEvent(widget, &event);
        Settle();
    }

    QString StatusText() { return window->statusBar()->currentMessage(); }
};

TEST_F(Gestures, EscapeWhileTypingCancelsThatEditOnlyAndTypingOnAnswersNothing) {
    OpenWith({WithKeys(1, 3)});
    EnterEditMode();
    const auto before = test::ReadBytes(DatabasePath());

    // A key name being typed: Escape gives up "Disp"; the letters typed on start a new edit of
    // the cell, as in any grid, and the window neither asks nor closes.
    test::DoubleClick(Keys()->viewport(), CellCentre(Keys(), 2, 1));
    ASSERT_NE(CellEditor(Keys()), nullptr);
    Type("Disp");
    Key(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(CellEditor(Keys()), nullptr);
    Type("lay");
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('|').toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Keys()->CellText(2, 1), "lay");

    // A count being typed: Escape gives it up and shows the count as it was.
    Click(KeyCounts());
    KeyCounts()->selectAll();
    Type(KeyCounts(), "2");
    Key(KeyCounts(), Qt::Key_Escape);
    EXPECT_EQ(KeyCounts()->text(), "3");
    EXPECT_EQ(Keys()->Rows(), 3);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // With nothing left to cancel, Escape starts closing, which asks with No the default.
    Key(KeyCounts(), Qt::Key_Escape);
    EXPECT_EQ(dialogs.shown, QStringList{"Are you sure exit with edit mode?"});
    EXPECT_EQ(dialogs.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(test::ReadBytes(DatabasePath()), before);
}

TEST_F(Gestures, TheWheelChangesOnlyTheControlThatHasTheFocus) {
    OpenWith({WithKeys(1, 10)});
    EnterEditMode();
    auto* comm = Find<QComboBox>("ComboBox1");
    const struct {
        const char* name;
        int notches; // towards a value the control can take
        std::function<int()> value;
    } controls[] = {
        {"ComboBox1", -1, [comm] { return comm->currentIndex(); }},
        {"SpinEdit1", 1, [this] { return KeyCounts()->value(); }},
        {"SpinEdit2", 1, [this] { return Find<TSpinEdit>("SpinEdit2")->value(); }},
        {"SpinEdit3", 1, [this] { return Find<TSpinEdit>("SpinEdit3")->value(); }},
    };
    for (const auto& c : controls) {
        QWidget* control = Find(c.name);
        Click(Find("Edit1")); // the focus elsewhere
        const int before = c.value();
        Wheel(control, c.notches);
        EXPECT_EQ(c.value(), before) << c.name << " turned without the focus";
        control->setFocus(Qt::TabFocusReason);
        Wheel(control, c.notches);
        EXPECT_NE(c.value(), before) << c.name << " did not turn with the focus";
    }
    EXPECT_EQ(Keys()->Rows(), KeyCounts()->value());
}

TEST_F(Gestures, ACountTypedBeyondItsRangeTakesTheNearestEnd) {
    const struct {
        bool hasShift;
        QString typed;
        int expected;
    } cases[] = {{true, "100", 62}, {false, "999", 123}, {false, "1", 2}, {false, "40", 40}};
    for (const auto& c : cases) {
        OpenWith({WithKeys(1, 30)});
        EnterEditMode();
        if (c.hasShift)
            Click(Find("CheckBox1"));
        Click(KeyCounts());
        KeyCounts()->selectAll();
        Type(KeyCounts(), c.typed);
        EXPECT_EQ(KeyCounts()->text(), c.typed) << "cut while typed";
        Key(KeyCounts(), Qt::Key_Return);
        EXPECT_EQ(KeyCounts()->value(), c.expected) << c.typed.toStdString();
        EXPECT_EQ(Keys()->Rows(), c.expected) << c.typed.toStdString();
        if (c.expected >= 10) {
            EXPECT_EQ(Keys()->CellText(2, 10), "K9") << "keys below the count kept";
        }
        dialogs.QueueConfirm(true);
        window->close();
    }
}

TEST_F(Gestures, ADoubleClickOnEditEntersEditModeOnceAndWritesNothing) {
    OpenWith({WithKeys(1, 3)});
    const auto before = test::ReadBytes(DatabasePath());
    test::DoubleClick(Find("ToolButton3"));
    EXPECT_TRUE(InEditMode());
    EXPECT_EQ(Find<QToolButton>("ToolButton3")->text(), "Exit Edit");
    EXPECT_EQ(test::ReadBytes(DatabasePath()), before);
}

// The second click of a double click on "Draw buttons shape" opens nothing more: not a second
// window, not the outline editor of the window that opened under the pointer.
TEST_F(Gestures, ADoubleClickOnDrawButtonsShapeOpensOneWindowAndNothingInIt) {
    OpenWith({WithKeys(1, 3)});
    QStringList opened;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* shown = QApplication::activeModalWidget();
        if (!shown)
            return;
        opened << shown->windowTitle();
        QTest::keyClick(shown, Qt::Key_Escape);
    });
    watcher.start(10);
    test::DoubleClick(Find("ToolButton8"));
    QTest::qWait(2 * QApplication::doubleClickInterval() + 200);
    watcher.stop();
    EXPECT_EQ(opened, QStringList{"Shape button's editor"});
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('|').toStdString();
}

TEST_F(Gestures, DeletingAModelAsksWithNoAsTheDefaultAndLeavesItsOutlines) {
    OpenWith({WithKeys(1, 3), WithKeys(2, 3)});
    EnterEditMode();
    ChooseFromCellMenu(Grid("tsGrid1"), 1, 1, "Delete");
    EXPECT_EQ(dialogs.shown, QStringList{"Are you sure to delete current?"});
    EXPECT_EQ(dialogs.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
    EXPECT_EQ(Models().size(), 2u);

    // Yes deletes the model; its outlines stay on disk, and the status bar says where.
    const std::string outlines = DataDir() + "/Model0001.hmt";
    test::WriteBytes(outlines, {1, 2, 3});
    dialogs.QueueConfirm(true);
    ChooseFromCellMenu(Grid("tsGrid1"), 1, 1, "Delete");
    EXPECT_EQ(Models().size(), 1u);
    EXPECT_EQ(StatusText(),
              "Model deleted; its outlines stay in " + QString::fromStdString(outlines));
    EXPECT_TRUE(std::filesystem::exists(outlines));
}

TEST_F(Gestures, EveryFileWrittenOrReadIsToldInTheStatusBar) {
    OpenWith({WithKeys(1, 3), WithKeys(2, 3)});
    const std::string exchange = dir.File("tv.rmf");
    const std::string json = dir.File("models.txt");
    const struct {
        const char* button;
        std::string file;
        QString told;
    } cases[] = {
        {"ToolButton1", exchange, "Model 0001 written to " + QString::fromStdString(exchange)},
        {"ToolButton10", json, "2 models written to " + QString::fromStdString(json)},
        {"ToolButton2", exchange,
         "Model 0000 imported from " + QString::fromStdString(exchange) + "; not saved yet"},
    };
    for (const auto& c : cases) {
        dialogs.QueueFile(QString::fromStdString(c.file));
        Click(c.button);
        EXPECT_EQ(StatusText(), c.told) << c.button;
        EXPECT_TRUE(std::filesystem::exists(c.file)) << c.button;
    }
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('|').toStdString();
}

TEST_F(Gestures, CtrlZUndoesAndCtrlYRedoesEachChangeNamingIt) {
    OpenWith({WithKeys(1, 3), WithKeys(2, 3)});
    EnterEditMode();
    const auto keys = [&](Qt::KeyboardModifiers modifiers, Qt::Key key) {
        window->activateWindow(); // a closed menu may have had the focus
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QWidget* focus = QApplication::focusWidget();
        Key(focus ? focus : window.get(), key, modifiers);
    };
    // A key name typed is one edit of the model under edit, undone and redone.
    EditCell(Keys(), 2, 1, "Power");
    keys(Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(StatusText(), "Undone: Rename key 1");
    EXPECT_EQ(Keys()->CellText(2, 1), "K0");
    EXPECT_EQ(Models()[0].BtnInfo[0].Name.Str(), "K0");
    keys(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    EXPECT_EQ(StatusText(), "Redone: Rename key 1");
    EXPECT_EQ(Keys()->CellText(2, 1), "Power");
    // Stored by a save, the store is one command more.
    Save();
    EXPECT_EQ(Models()[0].BtnInfo[0].Name.Str(), "Power");
    keys(Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(StatusText(), "Undone: Edit model TV");
    EXPECT_EQ(Models()[0].BtnInfo[0].Name.Str(), "K0");
    EXPECT_EQ(Keys()->CellText(2, 1), "Power");
    keys(Qt::ControlModifier, Qt::Key_Y);

    ChooseFromCellMenu(Grid("tsGrid1"), 1, 1, "Copy/Add");
    ASSERT_EQ(Models().size(), 3u);
    keys(Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(StatusText(), "Undone: Copy/Add model TV");
    EXPECT_EQ(Models().size(), 2u);
    EXPECT_EQ(Grid("tsGrid1")->Rows(), 2);
    keys(Qt::ControlModifier, Qt::Key_Y);
    EXPECT_EQ(Models().size(), 3u);

    // A save marks the stack clean; an undo after it is unsaved work again.
    Save();
    EXPECT_FALSE(window->Document().Unsaved());
    keys(Qt::ControlModifier, Qt::Key_Z);
    EXPECT_TRUE(window->Document().Unsaved());
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('|').toStdString();
}

// The program's own dialogs: a question that can drop work takes no letter typed on, defaults
// to No and shows the question icon; a message shows the warning icon; both fit their title.
TEST(QtDialogs, AQuestionThatCanDropWorkTakesNoLetterTypedOn) {
    TQtDialogs dialogs;
    QApplication::setApplicationName(QStringLiteral("Model Manager"));
    struct Seen {
        bool stillOpenAfterLetters = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool fitsTitle = false;
    } seen;
    // Letters typed into the box, then Enter: the box stays through the letters, Enter says No.
    auto answer = [&seen](QList<int> keys) {
        QTimer::singleShot(50, [&seen, keys] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen.icon = box->icon();
            seen.fitsTitle =
                box->width() > box->fontMetrics().horizontalAdvance(box->windowTitle());
            for (const char letter : {'y', 'Y', 'l', 'a'})
                QTest::keyClick(box, letter);
            seen.stillOpenAfterLetters = box->isVisible();
            for (const int key : keys)
                QTest::keyClick(box, static_cast<Qt::Key>(key));
        });
    };
    answer({Qt::Key_Return});
    EXPECT_FALSE(
        dialogs.Confirm(QStringLiteral("Are you sure exit with edit mode?"), DefaultAnswer::No));
    EXPECT_TRUE(seen.stillOpenAfterLetters);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_TRUE(seen.fitsTitle);

    answer({Qt::Key_Return});
    dialogs.ShowMessage(QStringLiteral("Please input a name"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_TRUE(seen.fitsTitle);
}

// The open-picture dialog shows the selected JPEG beside the file list.
TEST(QtDialogs, TheOpenPictureDialogPreviewsTheSelectedPicture) {
    test::TempDir dir;
    QImage image(60, 90, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString picture = QString::fromStdString(dir.File("remote.jpg"));
    ASSERT_TRUE(image.save(picture, "JPG"));
    test::WriteBytes(dir.File("broken.jpg"), {0xFF, 0xD8, 0xFF});
    TQtDialogs dialogs;
    bool previewed = false;
    bool brokenShowsNothing = false;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* preview = dialog->findChild<QLabel*>(QStringLiteral("picturePreview"));
        if (!preview)
            return dialog->reject();
        // What the list reports when the user moves onto a file (it fills in the background).
        emit dialog->currentChanged(picture);
        previewed = !preview->pixmap().isNull();
        emit dialog->currentChanged(QString::fromStdString(dir.File("broken.jpg")));
        brokenShowsNothing = preview->pixmap().isNull();
        dialog->reject();
    });
    const auto chosen = dialogs.ChooseFile({FileDialogKind::OpenPicture,
                                            QStringLiteral("JPEG images (*.jpg *.jpeg)"),
                                            {},
                                            QString::fromStdString(dir.Dir())});
    EXPECT_FALSE(chosen.has_value());
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(brokenShowsNothing);
}

} // namespace
} // namespace mm
