// The hot image control and its back-buffer base, offscreen, driven by real mouse events at
// positions on the control.
#include "hotimage/widgets/HotImage.h"
#include "PictureSupport.h"
#include "SpotSupport.h"
#include "TestSupport.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/QtText.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::ErrorOf;
using test::MakeSpot;

constexpr QRgb kFace = 0xFFF0F0F0;
constexpr QRgb kParentColor = 0xFF2040C0;

QRgb Rgb(int32_t bgr) {
    return QColorFromBgr(bgr).rgb();
}

// A hot image of 80 x 50 at the top left of a window whose own background is blue, and beside
// it another control.
class HotImage : public testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 120);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(kParentColor));
        window.setPalette(palette);
        image = new THotImage(&window);
        image->setObjectName("HotImage1");
        image->setGeometry(0, 0, 80, 50);
        neighbour = new QWidget(&window);
        neighbour->setGeometry(100, 0, 50, 50);
        // The pointer starts off the control, wherever the last test left it.
        QCursor::setPos(window.mapToGlobal(QPoint(190, 110)));
        window.show();
        QApplication::processEvents();
    }

    // A hot map file of the spots, in the binary format.
    std::string MapFile(const std::function<void(THotSpots&)>& fill,
                        const std::string& name = "Model0001.hmt") {
        THotSpots spots;
        fill(spots);
        const std::string fileName = dir.File(name);
        spots.SaveToFile(fileName);
        return fileName;
    }

    // Four spots on the 40 x 30 picture: 0 and 2 share ID 5, 1 is the shift key, 3 is of kind
    // Other, and a disabled spot 4 overlaps nothing.
    static void FourSpots(THotSpots& spots) {
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{2, 2}, {10, 10}}, 5));
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{12, 2}, {20, 10}}, 9))->KeyKind = kKeyKindShift;
        spots.Add(MakeSpot(TSpotShape::Ellipse, {{22, 2}, {30, 10}}, 5));
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{2, 14}, {10, 22}}, 7))->KeyKind = kKeyKindOther;
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{12, 14}, {20, 22}}, 8))->Enabled = false;
    }

    void Load(const std::vector<uint8_t>& picture, const std::string& mapFile) {
        TMemoryStream stream(picture);
        stream.SetPosition(stream.Size()); // the control reads from the start whatever
        image->LoadPictureAndMap(stream, mapFile);
        image->RenderBuffer();
    }

    void LoadFourSpots() { Load(jpeg, MapFile(FourSpots)); }

    // The picture as the control decoded it, at the buffer's size on the button face, with
    // the given spots tinted.
    QImage Expected(const std::vector<std::pair<int, int32_t>>& tints) const {
        QImage expected(image->size(), QImage::Format_RGB32);
        expected.fill(kFace);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                expected.setPixel(x, y, picture.pixel(x, y));
        for (const auto& [index, tint] : tints) {
            const TSpot& spot = *image->HotSpots().Items(index);
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (spot.Contains({x, y}))
                        expected.setPixel(x, y, picture.pixel(x, y) & Rgb(tint));
        }
        return expected;
    }

    // What the screen shows of the window at a point.
    QRgb OnScreen(QPoint at) { return window.grab().toImage().pixel(at); }

    void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(image, at);
        QTest::mouseClick(image, button, Qt::NoModifier, at);
    }
    Qt::CursorShape Cursor() const { return image->cursor().shape(); }

    test::TempDir dir;
    QWidget window;
    THotImage* image = nullptr;
    QWidget* neighbour = nullptr;
    const std::vector<uint8_t> jpeg = test::JpegOf(test::TestPicture(40, 30));
    const QImage picture = THotImageRenderer::PictureBitmapOf(DecodeJpeg(jpeg.data(), jpeg.size()));
};

TEST_F(HotImage, StartsEmptyAndInvalid) {
    EXPECT_EQ(THotImage().LastHitPos(), QPoint(0, 0));
    EXPECT_TRUE(image->AutoFlip);
    EXPECT_EQ(image->InitColor, 0);
    EXPECT_FALSE(image->BufferValid);
    EXPECT_EQ(image->SelectedIndex(), 0);
    EXPECT_FALSE(image->ShiftOn());
    EXPECT_EQ(image->ShiftIndex(), -1);
    EXPECT_FALSE(image->Pressed());
    EXPECT_EQ(image->HotSpot(), nullptr);
    EXPECT_EQ(image->TrackedSpot(), nullptr);
    EXPECT_FALSE(image->Stretch());
    EXPECT_EQ(image->FileName(), "");
    EXPECT_EQ(image->HotSpots().Count(), 0);
    EXPECT_NE(image->HotSpots().Image(), nullptr);
    EXPECT_EQ(image->HotCursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    EXPECT_EQ(image->BackBuffer.size(), QSize(80, 50));
    EXPECT_EQ(OnScreen({10, 10}), kParentColor); // nothing of its own is shown
}

TEST_F(HotImage, TheFirstMapLoadedTintsSpotZeroAndItsPartner) {
    LoadFourSpots();
    EXPECT_TRUE(image->BufferValid);
    EXPECT_EQ(image->Picture().size(), QSize(40, 30));
    EXPECT_EQ(image->ShiftIndex(), 1);
    EXPECT_EQ(image->FileName(), dir.File("Model0001.hmt"));
    EXPECT_EQ(image->HotSpots().Count(), 5);
    const QImage expected = Expected({{0, kDefaultNormalColor}, {2, kDefaultNormalColor}});
    EXPECT_TRUE(image->BackBuffer == expected);
    EXPECT_TRUE(window.grab().toImage().copy(0, 0, 80, 50).convertToFormat(QImage::Format_RGB32) ==
                expected); // one copy reaches the screen
}

TEST_F(HotImage, ALoadResetsTheLayerAndKeepsTheSelection) {
    LoadFourSpots();
    image->SetSelectedIndex(2);
    image->SetShiftOn(true);
    image->SetCheckMarks(true);
    LoadFourSpots();
    EXPECT_FALSE(image->ShiftOn());
    EXPECT_EQ(image->SelectedIndex(), 2);
    for (int i = 0; i < image->HotSpots().Count(); ++i)
        EXPECT_EQ(image->HotSpots().Items(i)->CheckMarks, (std::array<bool, 2>{false, false}));
}

TEST_F(HotImage, APictureThatDoesNotDecodeLeavesTheControlInvalidAndUnseen) {
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> pictures = {
        {"garbage", {'n', 'o', ' ', 'j', 'p', 'e', 'g'}},
        {"nothing", {}},
        {"cut short", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2)},
        {"60000 x 60000", test::WithClaimedSize(jpeg, 60000, 60000)},
    };
    for (const auto& [name, bytes] : pictures) {
        LoadFourSpots();
        ASSERT_TRUE(image->BufferValid);
        Load(bytes, dir.File("Model0001.hmt"));
        EXPECT_FALSE(image->BufferValid) << name;
        EXPECT_EQ(image->Picture().size(), QSize(40, 30)) << name; // kept, unseen
        EXPECT_EQ(image->HotSpots().Count(), 5) << name;           // the map is read all the same
        image->RenderBuffer();
        EXPECT_EQ(OnScreen({10, 10}), kParentColor) << name;
    }
}

TEST_F(HotImage, AMissingMapShowsThePictureWithoutSpotsAndTheCursorNeverChanges) {
    Load(jpeg, dir.File("Model0002.hmt"));
    EXPECT_TRUE(image->BufferValid);
    EXPECT_EQ(image->HotSpots().Count(), 0);
    EXPECT_TRUE(image->BackBuffer == Expected({}));
    for (int x = 0; x < 80; x += 7) {
        QTest::mouseMove(image, {x, x / 2});
        EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    }
    EXPECT_FALSE(FileExists(dir.File("Model0002.hmt")));
}

TEST_F(HotImage, ADamagedMapRaisesItsErrorAfterTheListWasEmptied) {
    LoadFourSpots();
    const std::string text = dir.File("text.hmt");
    test::WriteBytes(text, {'H', 'O', 'T', 'M', 'A', 'P', ' ', '(', 'H'});
    TMemoryStream stream(jpeg);
    EXPECT_EQ(ErrorOf([&] { image->LoadPictureAndMap(stream, text); }),
              "Cannot read file \"" + text +
                  "\". HotMap: Invalid Stream format: it does not start with \"HMAP\" or "
                  "\"HMAp\".");
    EXPECT_EQ(image->HotSpots().Count(), 0);
    EXPECT_EQ(image->ShiftIndex(), -1);

    const std::vector<uint8_t> whole = test::ReadBytes(dir.File("Model0001.hmt"));
    const std::string cut = dir.File("cut.hmt");
    test::WriteBytes(cut, std::vector<uint8_t>(whole.begin(), whole.begin() + 30));
    EXPECT_EQ(ErrorOf([&] { image->LoadPictureAndMap(stream, cut); }),
              "Cannot read file \"" + cut +
                  "\". Stream read error: the file ends inside the hint length of spot 0.");
}

TEST_F(HotImage, TheHandCursorShowsOnlyOverEnabledSpots) {
    LoadFourSpots();
    struct Case {
        QPoint at;
        Qt::CursorShape cursor;
    };
    const Case cases[] = {
        {{5, 5}, Qt::PointingHandCursor},  {{1, 1}, Qt::ArrowCursor},
        {{15, 5}, Qt::PointingHandCursor}, {{26, 6}, Qt::PointingHandCursor},
        {{22, 2}, Qt::ArrowCursor},        // the ellipse's corner
        {{5, 18}, Qt::PointingHandCursor}, // kind Other is hot all the same
        {{15, 18}, Qt::ArrowCursor},       // disabled
        {{60, 40}, Qt::ArrowCursor},       // beside the picture
    };
    for (const Case& c : cases) {
        QTest::mouseMove(image, c.at);
        EXPECT_EQ(Cursor(), c.cursor) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(HotImage, AClickSelectsAndTintsTheSpotAndItsPartner) {
    LoadFourSpots();
    Click({25, 6});
    EXPECT_EQ(image->SelectedIndex(), 2);
    EXPECT_TRUE(image->BackBuffer ==
                Expected({{2, kDefaultNormalColor}, {0, kDefaultNormalColor}}));
    const QImage before = image->BackBuffer;
    const std::vector<std::pair<const char*, QPoint>> nothing = {{"kind Other", {5, 18}},
                                                                 {"disabled", {15, 18}},
                                                                 {"outside every spot", {35, 25}},
                                                                 {"beside the picture", {60, 40}}};
    for (const auto& [name, at] : nothing) {
        Click(at);
        EXPECT_EQ(image->SelectedIndex(), 2) << name;
        EXPECT_FALSE(image->ShiftOn()) << name;
        EXPECT_TRUE(image->BackBuffer == before) << name;
    }
    Click({5, 5}, Qt::RightButton);
    EXPECT_EQ(image->SelectedIndex(), 2);
    EXPECT_FALSE(image->Pressed());
}

TEST_F(HotImage, TheShiftKeyClickedTwiceReturnsToTheNormalLayer) {
    LoadFourSpots();
    const QImage normal = image->BackBuffer;
    Click({15, 5});
    EXPECT_TRUE(image->ShiftOn());
    EXPECT_EQ(image->SelectedIndex(), 0);
    EXPECT_TRUE(image->BackBuffer ==
                Expected({{0, kDefaultToggleColor}, {2, kDefaultToggleColor}, {1, kShiftKeyTint}}));
    EXPECT_EQ(OnScreen({15, 5}), picture.pixel(15, 5) & Rgb(kShiftKeyTint));
    Click({16, 5});
    EXPECT_FALSE(image->ShiftOn());
    EXPECT_TRUE(image->BackBuffer == normal);
}

TEST_F(HotImage, TheTrackedSpotStaysHotOverAnOverlapWhileTheButtonIsHeld) {
    Load(jpeg, MapFile([](THotSpots& spots) {
             spots.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {20, 20}}, 1));
             spots.Add(MakeSpot(TSpotShape::Rectangle, {{10, 0}, {30, 20}}, 2));
         }));
    const TSpot* first = image->HotSpots().Items(0);
    const TSpot* later = image->HotSpots().Items(1);
    QTest::mouseMove(image, {25, 5});
    QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {25, 5});
    EXPECT_TRUE(image->Pressed());
    EXPECT_EQ(image->SelectedIndex(), 1);
    QTest::mouseMove(image, {15, 5});
    EXPECT_EQ(image->HotSpot(), later);
    QTest::mouseMove(image, {5, 5});
    EXPECT_EQ(image->HotSpot(), first);
    QTest::mouseMove(image, {16, 6});
    EXPECT_EQ(image->HotSpot(), later);
    QTest::mouseMove(image, {120, 10}); // over the neighbour, the button still held
    EXPECT_EQ(image->HotSpot(), nullptr);
    EXPECT_EQ(image->TrackedSpot(), later);
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    QTest::mouseMove(image, {17, 6});
    QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {17, 6});
    EXPECT_FALSE(image->Pressed());
    EXPECT_EQ(image->TrackedSpot(), later);
    QTest::mouseMove(image, {18, 6});
    EXPECT_EQ(image->HotSpot(), first); // the button is up: the earlier spot wins again
}

TEST_F(HotImage, ASpotThatLeavesTheListIsForgottenWithItsCursor) {
    LoadFourSpots();
    QTest::mouseMove(image, {5, 5});
    QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {5, 5});
    ASSERT_EQ(Cursor(), Qt::PointingHandCursor);
    THotSpots rest;
    rest.Assign(image->HotSpots());
    rest.Delete(0);
    image->SetHotSpots(rest);
    EXPECT_EQ(image->HotSpot(), nullptr);
    EXPECT_EQ(image->TrackedSpot(), nullptr);
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {5, 5});
}

TEST_F(HotImage, CheckMarksGoOnAndOffWithEveryRepaint) {
    LoadFourSpots();
    const QImage plain = image->BackBuffer;
    image->SetCheckMarks(true);
    for (int i = 0; i < image->HotSpots().Count(); ++i)
        EXPECT_EQ(image->HotSpots().Items(i)->CheckMarks, (std::array<bool, 2>{true, true}));
    // The tick's lowest point on spot 0, magenta; none on the shift key.
    EXPECT_EQ(image->BackBuffer.pixel(6, 9), Rgb(kCheckMarkColor));
    EXPECT_NE(image->BackBuffer.pixel(16, 9), Rgb(kCheckMarkColor));
    image->SetShiftOn(true);
    EXPECT_EQ(image->BackBuffer.pixel(6, 9), Rgb(kShiftCheckMarkColor));
    image->SetShiftOn(false);
    const QImage marked = image->BackBuffer;
    image->ClearCheckMarks(); // without a repaint
    EXPECT_TRUE(image->BackBuffer == marked);
    image->SetCheckMarks(false);
    EXPECT_TRUE(image->BackBuffer == plain);
}

TEST_F(HotImage, AResizeRendersTheBufferAtTheNewSize) {
    LoadFourSpots();
    QSignalSpy resized(image, &TBackBufferBox::Resized);
    image->resize(90, 60);
    EXPECT_EQ(resized.count(), 1);
    EXPECT_EQ(image->BackBuffer.size(), QSize(90, 60));
    EXPECT_TRUE(image->BackBuffer ==
                Expected({{0, kDefaultNormalColor}, {2, kDefaultNormalColor}}));
}

TEST_F(HotImage, StretchingMapsClientPointsOntoThePicture) {
    LoadFourSpots(); // 40 x 30 on a control of 80 x 50
    EXPECT_EQ(image->GetDisplayRect(), (TRect{0, 0, 40, 30}));
    EXPECT_EQ(image->SpotAtClient(2, 2), image->HotSpots().Items(0));
    const QImage shown = image->BackBuffer;
    image->SetStretch(true);
    EXPECT_TRUE(image->BackBuffer == shown); // stored, not painted
    EXPECT_EQ(image->GetDisplayRect(), (TRect{0, 0, 80, 50}));
    const TSpotMapping m = image->GetMapping();
    EXPECT_EQ(m.SrcWidth, 40);
    EXPECT_EQ(m.SrcHeight, 30);
    EXPECT_EQ(m.DstWidth, 80);
    EXPECT_EQ(m.DstHeight, 50);
    EXPECT_EQ(image->SpotAtClient(2, 2), nullptr);                      // picture (1, 1)
    EXPECT_EQ(image->SpotAtClient(10, 10), image->HotSpots().Items(0)); // picture (5, 6)
    EXPECT_EQ(image->MappedRegion(*image->HotSpots().Items(0)).boundingRect(),
              QRect(QPoint(4, 3), QPoint(19, 16)));
    QTest::mouseMove(image, {30, 8}); // picture (15, 5): the shift key
    EXPECT_EQ(image->HotSpot(), image->HotSpots().Items(1));
}

TEST_F(HotImage, TheBackBufferIsResetWithItsInitialColour) {
    image->InitColor = 0x00FF8000; // blue 255, green 128
    image->ResetBuffer();
    EXPECT_EQ(image->BackBuffer.pixel(3, 3), qRgb(0, 0x80, 0xFF));
    EXPECT_EQ(image->BackBuffer.size(), image->size());
    image->Flip(); // invalid: nothing reaches the screen
    EXPECT_EQ(OnScreen({3, 3}), kParentColor);
    image->BufferValid = true;
    image->AutoFlip = false;
    EXPECT_EQ(OnScreen({3, 3}), kParentColor); // a paint alone does not copy
    image->Flip();                             // one copy at the next paint, even without AutoFlip
    EXPECT_EQ(OnScreen({3, 3}), qRgb(0, 0x80, 0xFF));
    image->AutoFlip = true;
    EXPECT_EQ(OnScreen({3, 3}), qRgb(0, 0x80, 0xFF));
}

// An editor that confirms the control's spots without the one at `index`.
THotImage::THotSpotsEditor Deleting(int index) {
    return [index](THotImage& edited) {
        THotSpots copy;
        copy.Assign(edited.HotSpots());
        copy.Delete(index);
        edited.SetHotSpots(copy);
        return true;
    };
}

TEST_F(HotImage, EditHotSpotsSavesWhatTheEditorConfirms) {
    LoadFourSpots();
    const std::string file = image->FileName();
    EXPECT_FALSE(image->EditHotSpots()); // no editor: nothing happens
    const std::vector<uint8_t> before = test::ReadBytes(file);

    int runs = 0;
    image->HotSpotsEditor = [&](THotImage& edited) {
        ++runs;
        EXPECT_EQ(&edited, image);
        return false;
    };
    EXPECT_FALSE(image->EditHotSpots());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(test::ReadBytes(file), before);

    image->SetSelectedIndex(2);
    const QImage buffer = image->BackBuffer;
    image->HotSpotsEditor = Deleting(4);
    EXPECT_TRUE(image->EditHotSpots());
    EXPECT_FALSE(image->MapFile().HoldsUnsavedChanges());
    THotSpots saved;
    saved.LoadFromFile(file);
    EXPECT_EQ(saved.Count(), 4);
    EXPECT_TRUE(SameSpots(saved, image->HotSpots()));
    EXPECT_EQ(image->SelectedIndex(), 2);
    EXPECT_EQ(image->ShiftIndex(), 1);
    EXPECT_TRUE(image->BackBuffer == buffer); // shown at the next render

    // The file's folder gone: the save fails and the edit stays in the control, unsaved.
    std::filesystem::create_directory(dir.File("gone"));
    Load(jpeg, MapFile(FourSpots, "gone/Model0001.hmt"));
    std::filesystem::remove_all(dir.File("gone"));
    image->HotSpotsEditor = Deleting(0);
    EXPECT_EQ(ErrorOf([&] { image->EditHotSpots(); }),
              "Cannot create file \"" + image->FileName() + "\". No such file or directory.");
    EXPECT_EQ(image->FileName(), dir.File("gone/Model0001.hmt"));
    EXPECT_EQ(image->HotSpots().Count(), 4);
    EXPECT_TRUE(image->MapFile().HoldsUnsavedChanges());
}

} // namespace
} // namespace mm
