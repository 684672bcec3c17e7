// The button shape window offscreen: real clicks on its controls found by their designer
// names, scripted dialogs, and a stand-in for the hot-map editor.
#include "EditorSupport.h"
#include "HostileMaps.h"
#include "Monkey.h"
#include "PictureSupport.h"
#include "SpotSupport.h"
#include "TestSupport.h"
#include "hotedit/windows/ButtonShapeWindow.h"
#include "hotedit/windows/HotMapEditor.h"
#include "hotedit/windows/Panel.h"
#include "hotedit/windows/SpotEditor.h"
#include "hotedit/windows/SpotListBox.h"
#include "hotimage/core/HotMapFormats.h"
#include "hotimage/widgets/HotImage.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace mm {
namespace {

using test::MakeSpot;
namespace fs = std::filesystem;

// The stand-in editor: counts its runs and answers as told, after the change it is given.
struct TEditor {
    bool answer = true;
    std::function<void(THotSpots&)> change = [](THotSpots&) {};
    int runs = 0;

    THotImage::THotSpotsEditor Function() {
        return [this](THotImage& image) {
            ++runs;
            if (!answer)
                return false;
            THotSpots copy;
            copy.Assign(image.HotSpots());
            change(copy);
            image.SetHotSpots(copy);
            return true;
        };
    }
};

bool SameRecord(const TMyModelRecord& a, const TMyModelRecord& b) {
    return std::memcmp(&a.Fixed(), &b.Fixed(), sizeof(TModelFixedPart)) == 0 && a.Blob == b.Blob;
}

class ButtonShape : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(dir.Dir() + "data");
        QCursor::setPos(0, 0);
    }

    // A model with the 40 x 30 test picture and a code region behind it.
    static TMyModelRecord Model(uint16_t id) {
        TMyModelRecord record;
        record.ModelID = id;
        record.ModelType.Assign("Remote " + std::to_string(id));
        record.Blob = test::JpegOf(test::TestPicture(40, 30));
        record.PicSize = static_cast<int32_t>(record.Blob.size());
        for (uint8_t b : {1, 2, 3, 4})
            record.Blob.push_back(b);
        record.BlobSize = static_cast<int32_t>(record.Blob.size());
        return record;
    }

    std::string MapPath(uint16_t id) const { return ModelHotMapPath(dir.Dir(), id); }

    // Spot 0 at (2, 2)-(10, 10), the shift key 1 at (12, 2)-(20, 10), spot 2 at (2, 12)-(10, 20).
    void WriteMap(uint16_t id) {
        THotSpots spots;
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{2, 2}, {10, 10}}, 1));
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{12, 2}, {20, 10}}, 2))->KeyKind = kKeyKindShift;
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{2, 12}, {10, 20}}, 3));
        spots.SaveToFile(MapPath(id));
    }

    // The window with the stand-in editor, or with its own.
    void Open(const TMyModelRecord& record, bool ownEditor = false) {
        window = std::make_unique<TButtonShapeWindow>(dialogs, dir.Dir());
        window->LoadModel(record);
        if (!ownEditor)
            Image()->HotSpotsEditor = editor.Function();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();
    }

    THotImage* Image() { return Child<THotImage>("HotImage1"); }

    template <typename T> T* Child(const char* name) {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    // A real click in the middle of a control, and the handlers it posted.
    void ClickOn(QWidget* control, QPoint at = {}) {
        const QPoint where = at.isNull() ? control->rect().center() : at;
        QTest::mouseMove(control, where);
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, where);
        QApplication::processEvents();
    }
    void ClickButton(const char* name) { ClickOn(Child<QPushButton>(name)); }

    int Tag() { return Child<QPushButton>("Button2")->property("Tag").toInt(); }

    std::vector<std::array<bool, 2>> Marks() {
        std::vector<std::array<bool, 2>> marks;
        for (int i = 0; i < Image()->HotSpots().Count(); ++i)
            marks.push_back(Image()->HotSpots().Items(i)->CheckMarks);
        return marks;
    }

    test::TempDir dir;
    TScriptedDialogs dialogs;
    TEditor editor;
    std::unique_ptr<TButtonShapeWindow> window;
};

TEST_F(ButtonShape, HasItsControlsWhereTheyWereDesigned) {
    Open(Model(1));
    EXPECT_EQ(window->windowTitle(), "Shape button's editor");
    EXPECT_EQ(window->size(), QSize(546, 661));
    EXPECT_EQ(Child<QWidget>("Panel1")->geometry(), QRect(0, 0, 546, 33));
    THotImage* image = Child<THotImage>("HotImage1");
    EXPECT_EQ(Child<QWidget>("ImageScroller")->geometry(), QRect(0, 33, 353, 628));
    EXPECT_EQ(image->size(), QSize(353, 628));
    EXPECT_TRUE(image->AutoFlip);
    EXPECT_EQ(image->InitColor, 0);
    QPushButton* edit = Child<QPushButton>("Button1");
    EXPECT_EQ(edit->text(), "Edit");
    EXPECT_EQ(edit->parentWidget(), Child<QWidget>("Panel1"));
    EXPECT_EQ(edit->geometry(), QRect(160, 0, 75, 25));
    QPushButton* check = Child<QPushButton>("Button2");
    EXPECT_EQ(check->text(), "Check");
    EXPECT_EQ(check->geometry(), QRect(248, 0, 75, 25));
    EXPECT_EQ(Tag(), 0);
    TPanel* panel = Child<TPanel>("Panel2");
    EXPECT_EQ(panel->text(), "Panel2");
    EXPECT_EQ(panel->geometry(), QRect(464, 704, 57, 41));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 0, 128));
    window->resize(700, 800);
    EXPECT_EQ(Child<QWidget>("ImageScroller")->geometry(), QRect(0, 33, 353, 767));
    EXPECT_EQ(image->size(), QSize(353, 767)); // a smaller picture: no scrolling
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(ButtonShape, LoadModelShowsThePictureAndTheModelsMapAndKeepsTheRecord) {
    for (uint16_t id : {0x00A5, 0xBEEF}) {
        WriteMap(id);
        const TMyModelRecord record = Model(id);
        const TMyModelRecord before = record;
        Open(record);
        EXPECT_TRUE(SameRecord(record, before)) << id;
        EXPECT_TRUE(SameRecord(window->Model(), before)) << id;
        THotImage* image = Image();
        EXPECT_EQ(image->FileName(), MapPath(id));
        EXPECT_TRUE(image->BufferValid);
        EXPECT_EQ(image->HotSpots().Count(), 3);
        EXPECT_EQ(image->ShiftIndex(), 1);
        // Spot 0 is tinted from the start.
        EXPECT_EQ(qGreen(image->BackBuffer.pixel(5, 5)), qGreen(image->Picture().pixel(5, 5)));
        EXPECT_EQ(qRed(image->BackBuffer.pixel(5, 5)), 0);
    }
    EXPECT_TRUE(fs::exists(dir.Dir() + "data/Model00A5.hmt"));
    EXPECT_TRUE(fs::exists(dir.Dir() + "data/ModelBEEF.hmt"));
}

TEST_F(ButtonShape, EditConfirmedWritesTheModelsFile) {
    for (uint16_t id : {0x00A5, 0xBEEF}) {
        editor.change = [](THotSpots& spots) {
            spots.Add(MakeSpot(TSpotShape::Ellipse, {{20, 20}, {30, 28}}, 77));
        };
        Open(Model(id));
        ClickButton("Button1");
        EXPECT_EQ(editor.runs, id == 0x00A5 ? 1 : 2);
        THotSpots saved;
        saved.LoadFromFile(MapPath(id));
        ASSERT_EQ(saved.Count(), 1) << id;
        EXPECT_EQ(saved.Items(0)->ID, 77);
        EXPECT_TRUE(SameSpots(saved, Image()->HotSpots()));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
}

// The main window's status bar learns what a confirmed edit wrote; a cancelled one says nothing.
TEST_F(ButtonShape, EditConfirmedReportsTheOutlinesWritten) {
    WriteMap(0x0101);
    editor.change = [](THotSpots& spots) {
        spots.Add(MakeSpot(TSpotShape::Ellipse, {{20, 20}, {30, 28}}, 77));
    };
    Open(Model(0x0101));
    QStringList reports;
    QObject::connect(window.get(), &TButtonShapeWindow::OutlinesWritten,
                     [&reports](const QString& message) { reports << message; });
    ClickButton("Button1");
    EXPECT_EQ(reports, QStringList{"4 outlines written to Model0101.hmt"});
    editor.answer = false;
    ClickButton("Button1");
    EXPECT_EQ(reports.size(), 1);
}

TEST_F(ButtonShape, TheReportCountsOneOutlineInTheSingular) {
    const std::vector<std::pair<int, QString>> cases = {
        {0, "0 outlines written to Model0101.hmt"},
        {1, "1 outline written to Model0101.hmt"},
        {2, "2 outlines written to Model0101.hmt"},
        {23, "23 outlines written to Model0101.hmt"},
    };
    Open(Model(0x0101));
    QStringList reports;
    QObject::connect(window.get(), &TButtonShapeWindow::OutlinesWritten,
                     [&reports](const QString& message) { reports << message; });
    for (const auto& [count, report] : cases) {
        editor.change = [count](THotSpots& spots) {
            spots.Clear();
            for (int i = 0; i < count; ++i)
                spots.Add(MakeSpot(TSpotShape::Rectangle, {{i, i}, {i + 5, i + 5}}, i));
        };
        ClickButton("Button1");
        ASSERT_FALSE(reports.isEmpty());
        EXPECT_EQ(reports.takeLast(), report);
    }
}

TEST_F(ButtonShape, EditConfirmedWithoutSpotsCreatesAnEmptyMap) {
    Open(Model(7));
    EXPECT_FALSE(fs::exists(MapPath(7)));
    EXPECT_EQ(Image()->HotSpots().Count(), 0);
    ClickButton("Button1");
    EXPECT_EQ(test::ReadBytes(MapPath(7)),
              (std::vector<uint8_t>{'H', 'M', 'A', 'P', 0,  0, 0, 0, 0, 0, 0, 0,
                                    'M', 'A', 'S', 'K', 16, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ButtonShape, EditCancelledTouchesNothing) {
    WriteMap(9);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(MapPath(9), old);
    const std::vector<uint8_t> bytes = test::ReadBytes(MapPath(9));
    editor.answer = false;
    Open(Model(9));
    ClickButton("Button1");
    EXPECT_EQ(editor.runs, 1);
    EXPECT_EQ(fs::last_write_time(MapPath(9)), old);
    EXPECT_EQ(test::ReadBytes(MapPath(9)), bytes);
    EXPECT_EQ(Image()->HotSpots().Count(), 3);
    EXPECT_EQ(fs::directory_iterator(dir.Dir() + "data")->path(), MapPath(9)); // nothing beside
}

TEST_F(ButtonShape, WithoutAnEditorEditDoesNothing) {
    WriteMap(9);
    const std::vector<uint8_t> bytes = test::ReadBytes(MapPath(9));
    Open(Model(9));
    Image()->HotSpotsEditor = nullptr;
    ClickButton("Button1");
    EXPECT_EQ(test::ReadBytes(MapPath(9)), bytes);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ButtonShape, CheckTwiceLeavesNoSpotMarked) {
    WriteMap(3);
    Open(Model(3));
    const QImage plain = Image()->BackBuffer;
    ClickButton("Button2");
    EXPECT_EQ(Tag(), 1);
    EXPECT_EQ(Marks(), (std::vector<std::array<bool, 2>>(3, {true, true})));
    EXPECT_FALSE(Image()->BackBuffer == plain); // the ticks are drawn
    ClickButton("Button2");
    EXPECT_EQ(Tag(), 0);
    EXPECT_EQ(Marks(), (std::vector<std::array<bool, 2>>(3, {false, false})));
    EXPECT_TRUE(Image()->BackBuffer == plain);
}

TEST_F(ButtonShape, AfterAnEditNoSpotIsMarkedAndTheNextCheckClears) {
    WriteMap(3);
    Open(Model(3));
    ClickButton("Button2");
    ClickButton("Button1");
    EXPECT_EQ(Tag(), 1);
    EXPECT_EQ(Marks(), (std::vector<std::array<bool, 2>>(3, {false, false})));
    ClickButton("Button2");
    EXPECT_EQ(Tag(), 0);
    EXPECT_EQ(Marks(), (std::vector<std::array<bool, 2>>(3, {false, false})));
}

TEST_F(ButtonShape, Panel2SwitchesTheShiftLayerOnceTheWindowIsLargeEnough) {
    WriteMap(3);
    Open(Model(3));
    window->resize(600, 800);
    QApplication::processEvents();
    TPanel* panel = Child<TPanel>("Panel2");
    ClickOn(panel);
    EXPECT_TRUE(Image()->ShiftOn());
    // The shift key is tinted red in the SHIFT layer.
    EXPECT_EQ(Image()->BackBuffer.pixel(15, 5), Image()->PictureBitmap().pixel(15, 5) & 0xFFFF0000);
    ClickOn(panel);
    EXPECT_FALSE(Image()->ShiftOn());
    QTest::mouseClick(panel, Qt::RightButton, Qt::NoModifier, panel->rect().center());
    QApplication::processEvents();
    EXPECT_FALSE(Image()->ShiftOn());
}

TEST_F(ButtonShape, ClickingSpotsOnThePictureSelectsThemAndSwitchesTheLayer) {
    WriteMap(3);
    Open(Model(3));
    THotImage* image = Child<THotImage>("HotImage1");
    ClickOn(image, {5, 15});
    EXPECT_EQ(image->SelectedIndex(), 2);
    ClickOn(image, {15, 5});
    EXPECT_TRUE(image->ShiftOn());
    EXPECT_EQ(image->SelectedIndex(), 2);
}

TEST_F(ButtonShape, AFailedSaveIsReportedAfterTheClickAndKeepsTheEdit) {
    Open(Model(0x1234));
    fs::remove(dir.Dir() + "data");
    editor.change = [](THotSpots& spots) {
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}, 4));
    };
    QStringList shownDuringClick = {"(not clicked)"};
    QObject::connect(Child<QPushButton>("Button1"), &QPushButton::clicked,
                     [&] { shownDuringClick = dialogs.shown; });
    ClickButton("Button1");
    EXPECT_TRUE(shownDuringClick.isEmpty());
    EXPECT_EQ(dialogs.shown,
              QStringList{QString::fromStdString("Cannot create file \"" + MapPath(0x1234) +
                                                 "\". No such file or directory.")});
    EXPECT_EQ(Image()->HotSpots().Count(), 1);
    EXPECT_TRUE(window->isVisible());
}

// Files may not grow beyond a few bytes while it lives (the superuser too is held to it).
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(ButtonShape, AFailedSaveLeavesTheOldOutlinesWhole) {
    WriteMap(5);
    const std::vector<uint8_t> bytes = test::ReadBytes(MapPath(5));
    Open(Model(5));
    {
        const TFileSizeLimit limit(16);
        ClickButton("Button1");
    }
    EXPECT_EQ(dialogs.shown.size(), 1); // the writer's report
    EXPECT_EQ(test::ReadBytes(MapPath(5)), bytes);
    EXPECT_EQ(fs::directory_iterator(dir.Dir() + "data")->path(), MapPath(5)); // nothing beside
}

TEST_F(ButtonShape, WithoutAPictureTheMapIsReadAllTheSame) {
    WriteMap(3);
    TMyModelRecord record = Model(3);
    record.PicSize = 0;
    Open(record);
    EXPECT_FALSE(Image()->BufferValid);
    EXPECT_EQ(Image()->HotSpots().Count(), 3);
    record.PicSize = static_cast<int32_t>(record.Blob.size()) + 1; // beyond the blob
    Open(record);
    EXPECT_FALSE(Image()->BufferValid);
}

// Runs ShowButtonShapeWindow; while the window is up, `whileShown` gets it, then Escape
// closes it. Answers whether a window was shown.
bool ShowAndClose(TScriptedDialogs& dialogs, const TMyModelRecord& record,
                  const std::string& exeDir,
                  const std::function<void(TButtonShapeWindow&)>& whileShown) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TButtonShapeWindow*>(QApplication::activeModalWidget());
        if (!window)
            return;
        shown = true;
        whileShown(*window);
        QTest::keyClick(window, Qt::Key_Escape);
    });
    ShowButtonShapeWindow(nullptr, dialogs, record, exeDir);
    QApplication::processEvents();
    return shown;
}

TEST_F(ButtonShape, ShowButtonShapeWindowShowsTheModelModallyUntilClosed) {
    WriteMap(0x2A);
    int spots = -1;
    EXPECT_TRUE(ShowAndClose(dialogs, Model(0x2A), dir.Dir(), [&](TButtonShapeWindow& window) {
        EXPECT_TRUE(window.isModal());
        spots = test::Find<THotImage>(&window, "HotImage1")->HotSpots().Count();
    }));
    EXPECT_EQ(spots, 3);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ButtonShape, ADamagedMapIsReportedAndTheWindowNeverShown) {
    const std::vector<std::pair<std::vector<uint8_t>, std::string>> files = {
        {{'H', 'O', 'T', 'M', 'A', 'P', ' ', '(', 'H', 'o', 't'},
         "HotMap: Invalid Stream format: it does not start with \"HMAP\" or \"HMAp\"."},
        {{'H', 'M', 'A', 'P', 0, 0, 0, 0, 5, 0, 0, 0, 1},
         "Stream read error: the file ends inside the ID of spot 0."},
    };
    for (const auto& [bytes, message] : files) {
        test::WriteBytes(MapPath(0x2B), bytes);
        dialogs.Clear();
        EXPECT_FALSE(ShowAndClose(dialogs, Model(0x2B), dir.Dir(), [](TButtonShapeWindow&) {}));
        EXPECT_EQ(dialogs.shown, QStringList{QString::fromStdString(
                                     "Cannot read file \"" + MapPath(0x2B) + "\". " + message)});
    }
}

// The peak memory of this process so far, in kilobytes.
long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_F(ButtonShape, HostileMapsAreRefusedOrCheckedWithinMemoryAndTime) {
    const long peakBefore = PeakKilobytes();
    for (const test::THostileMap& map : test::HostileMaps()) {
        SCOPED_TRACE(map.name);
        test::WriteHostileMap(map, MapPath(0x2C));
        dialogs.Clear();
        const auto start = std::chrono::steady_clock::now();
        if (map.refusedAt >= 0) {
            EXPECT_FALSE(ShowAndClose(dialogs, Model(0x2C), dir.Dir(), [](TButtonShapeWindow&) {}));
            EXPECT_EQ(dialogs.shown, QStringList{QString::fromStdString(
                                         test::HostileRefusal(MapPath(0x2C), map.refusedAt))});
        } else {
            Open(Model(0x2C));
            ClickButton("Button2"); // "Check": every spot ticked and drawn
            EXPECT_EQ(Tag(), 1);
            EXPECT_EQ(Marks(), (std::vector<std::array<bool, 2>>(static_cast<size_t>(map.copies),
                                                                 {true, true})));
            EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("\n").toStdString();
            window.reset();
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took.count(), 20.0);
    }
    // Regions of the outlines are not kept: what the maps take beyond the window itself.
    EXPECT_LT(PeakKilobytes() - peakBefore, 512L << 10);
}

TEST_F(ButtonShape, EditRunsTheHotMapEditorCaptionedWithTheControlsName) {
    WriteMap(0x31);
    Open(Model(0x31), true);
    QString caption;
    test::WhenModal<THotMapEditor>([&](THotMapEditor& editor) {
        caption = editor.windowTitle();
        auto* list = test::Find<QListWidget>(&editor, "lboxSpots");
        test::Click(list->viewport(), Qt::LeftButton, list->visualItemRect(list->item(1)).center());
        test::Click(test::Find(&editor, "btnDeleteSpot"));
        test::Click(test::Find(&editor, "btnOk"));
    });
    ClickButton("Button1");
    EXPECT_EQ(caption, "HotImage1");
    THotSpots saved;
    saved.LoadFromFile(MapPath(0x31));
    EXPECT_EQ(saved.Count(), 2);
    EXPECT_EQ(saved.Items(1)->ID, 3);
    EXPECT_TRUE(SameSpots(saved, Image()->HotSpots()));

    const std::vector<uint8_t> bytes = test::ReadBytes(MapPath(0x31));
    test::WhenModal<THotMapEditor>([&](THotMapEditor& editor) {
        test::Click(test::Find(&editor, "btnClear"));
        QTest::keyClick(&editor, Qt::Key_Escape);
    });
    dialogs.QueueConfirm(true); // remove all spots
    dialogs.QueueConfirm(true); // and discard that
    ClickButton("Button1");
    EXPECT_EQ(test::ReadBytes(MapPath(0x31)), bytes);
    EXPECT_EQ(Image()->HotSpots().Count(), 2);
}

TEST_F(ButtonShape, WithoutAPictureEditSaysSoAndWritesNothing) {
    TMyModelRecord record = Model(0x32);
    record.PicSize = 0;
    Open(record, true);
    ClickButton("Button1");
    EXPECT_EQ(dialogs.shown, QStringList{"Picture property undefined"});
    EXPECT_FALSE(fs::exists(MapPath(0x32)));
}

// Counts the editors shown.
class TShownEditors : public QObject {
public:
    int hotMap = 0;
    int spot = 0;
    int deleteKeys = 0; // the Delete key in the spot list with a spot selected

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            hotMap += qobject_cast<THotMapEditor*>(watched) != nullptr;
            spot += qobject_cast<TSpotEditor*>(watched) != nullptr;
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete)
            if (auto* list = qobject_cast<TSpotListBox*>(watched))
                deleteKeys += list->currentRow() >= 0;
        return false;
    }
};

// Random answers, every text shown kept.
class TKeptDialogs : public test::TRandomDialogs {
public:
    using TDialogs::Confirm;
    using TDialogs::ShowMessage;
    using TRandomDialogs::TRandomDialogs;
    void ShowMessage(const QString& text, const QString& caption) override {
        texts << text;
        TRandomDialogs::ShowMessage(text, caption);
    }
    bool Confirm(const QString& text, DefaultAnswer byDefault) override {
        texts << text;
        return TRandomDialogs::Confirm(text, byDefault);
    }
    QStringList texts;
};

bool Expected(const QString& message) {
    static const char* const known[] = {"Do you really want to remove all Spots?",
                                        "Discard the changes to the outlines?",
                                        "Do you want to cancel current drawing?",
                                        "HotMap: Invalid Stream format",
                                        "Stream read error",
                                        "File not found",
                                        "Cannot create file \"",
                                        "Cannot read file \"",
                                        "Cannot open file \""};
    return std::any_of(std::begin(known), std::end(known),
                       [&](const char* text) { return message.startsWith(text); });
}

// Random real input for about 5 seconds on the window and, through "Edit", in the hot-map
// editor and the spot editor, every dialog answered at random: the record stays as it was,
// every message is one the editors show, and the model's file holds what the control shows
// after every confirmed edit. MM_MONKEY_SEED and MM_MONKEY_SECONDS choose another run.
TEST_F(ButtonShape, SurvivesAMonkeyInTheWindowAndItsEditors) {
    const QByteArray seedText = qgetenv("MM_MONKEY_SEED");
    const QByteArray secondsText = qgetenv("MM_MONKEY_SECONDS");
    const uint32_t seed = seedText.isEmpty() ? 20261211u : seedText.toUInt();
    const int seconds = secondsText.isEmpty() ? 5 : secondsText.toInt();
    WriteMap(0x77);
    THotSpots spots;
    spots.LoadFromFile(MapPath(0x77));
    spots.SaveToFile(dir.File("map.hmp"));
    SaveHotMapText(dir.File("map.hmt"), spots);
    test::WriteBytes(dir.File("text.hmp"), {'H', 'O', 'T', 'M', 'A', 'P'});
    test::WriteBytes(dir.File("short.hmp"), {'H', 'M', 'A', 'P', 0, 0, 0, 0, 5, 0, 0, 0, 1});
    auto file = [&](const char* name) { return QString::fromStdString(dir.File(name)); };
    TKeptDialogs random(seed, {file("map.hmp"), file("map.hmt"), file("text.hmp"),
                               file("short.hmp"), file("saved.hmp"), file("saved.hmt"),
                               QStringLiteral("/nonexistent/folder/x.hmp")});
    const TMyModelRecord record = Model(0x77);
    TButtonShapeWindow shape(random, dir.Dir());
    shape.LoadModel(record);
    shape.show();
    TShownEditors shown;
    qApp->installEventFilter(&shown);

    std::string failure;
    auto check = [&]() -> std::string {
        if (!SameRecord(shape.Model(), record))
            return "the window's copy of the record changed";
        for (const QString& text : std::as_const(random.texts))
            if (!Expected(text))
                return "an unexpected message: " + text.toStdString();
        THotSpots saved;
        saved.LoadFromFile(MapPath(0x77));
        if (!SameSpots(saved, test::Find<THotImage>(&shape, "HotImage1")->HotSpots()))
            return "the file does not hold the control's spots";
        return {};
    };
    test::TMonkey monkey(seed, [&] { return &shape; });
    monkey.AfterEachEvent = [&] {
        if (failure.empty())
            failure = check();
    };
    // The monkey's keys seldom reach the spot list with an entry selected: now and then a user
    // picks an entry and presses Delete there.
    int deletes = 0;
    QTimer deleter;
    QObject::connect(&deleter, &QTimer::timeout, [&deletes] {
        auto* editor = qobject_cast<THotMapEditor*>(QApplication::activeModalWidget());
        if (!editor)
            return;
        auto* list = test::Find<QListWidget>(editor, "lboxSpots");
        if (list->count() == 0)
            return;
        const QRect entry = list->visualItemRect(list->item(deletes++ % list->count()));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        QTest::keyClick(list, Qt::Key_Delete);
    });
    deleter.start(97);
    const auto discards = [&] {
        return random.texts.count("Discard the changes to the outlines?");
    };
    int sent = monkey.Run(1000000, seconds * 1000);
    // A busy machine (the sanitizer build, other builds) sends fewer events in the time: the run
    // goes on a second at a time until it has reached both editors, the question and the Delete
    // key, or for three times its time at the most.
    for (int extra = 0; extra < 3 * seconds && (shown.hotMap == 0 || shown.spot == 0 ||
                                                discards() == 0 || shown.deleteKeys == 0);
         ++extra)
        sent = monkey.Run(1000000, 1000);
    deleter.stop();
    qApp->removeEventFilter(&shown);
    EXPECT_EQ(failure, "") << "MM_MONKEY_SEED=" << seed;
    EXPECT_GT(sent, 50);
    EXPECT_GT(shown.hotMap, 0) << "MM_MONKEY_SEED=" << seed;
    EXPECT_GT(shown.spot, 0) << "MM_MONKEY_SEED=" << seed;
    EXPECT_GT(discards(), 0) << "MM_MONKEY_SEED=" << seed;
    EXPECT_GT(shown.deleteKeys, 0) << "MM_MONKEY_SEED=" << seed;
    std::printf("monkey: %d events, %d hot-map editors, %d spot editors, %d messages, %d "
                "questions before discarding, %d Delete keys in the spot list, seed %u\n",
                sent, shown.hotMap, shown.spot, random.shown, static_cast<int>(discards()),
                shown.deleteKeys, seed);
}

} // namespace
} // namespace mm
