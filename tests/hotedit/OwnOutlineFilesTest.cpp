// The hot-map editor on real outline files: each demo model's own file loaded through "&Load.."
// and confirmed with OK comes back byte for byte, and a damaged file is refused with its name
// and the field that could not be read.
#include "EditorSupport.h"
#include "HotMapBytes.h"
#include "PictureSupport.h"
#include "SpotSupport.h"
#include "TestSupport.h"
#include "hotedit/windows/ButtonShapeWindow.h"
#include "hotedit/windows/HotMapEditor.h"
#include "hotimage/core/HotMapFormats.h"
#include "platform/ui/Dialogs.h"
#include "tools/DemoCatalogue.h"

#include <QListWidget>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Click;
using test::Find;
using test::THotMapBytes;

class OwnOutlineFiles : public testing::Test {
protected:
    TScriptedDialogs dialogs;
    test::TempDir dir;
};

TEST_F(OwnOutlineFiles, EachDemoModelsFileLoadedInTheEditorIsWrittenBackUnchanged) {
    const TDemoCatalogue catalogue = BuildDemoCatalogue();
    WriteDemoCatalogue(catalogue, dir.Dir());
    ASSERT_FALSE(catalogue.Models.empty());
    for (const TDemoModel& model : catalogue.Models) {
        const std::string file = ModelHotMapPath(dir.Dir(), model.Record.ModelID);
        const std::vector<uint8_t> original = test::ReadBytes(file);
        TButtonShapeWindow window(dialogs, dir.Dir());
        window.LoadModel(model.Record);
        QStringList reports;
        QObject::connect(&window, &TButtonShapeWindow::OutlinesWritten,
                         [&reports](const QString& report) { reports << report; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        // Emptied first, so that only what "&Load.." reads can be written back.
        int cleared = -1, loaded = -1;
        test::WhenModal<THotMapEditor>([&](THotMapEditor& editor) {
            auto* list = Find<QListWidget>(&editor, "lboxSpots");
            dialogs.QueueConfirm(true);
            Click(Find(&editor, "btnClear"));
            cleared = list->count();
            dialogs.QueueFile(QString::fromStdString(file));
            Click(Find(&editor, "btnLoad"));
            loaded = list->count();
            Click(Find(&editor, "btnOk"));
        });
        Click(Find(&window, "Button1"));

        const QString name = QString::fromStdString(file).section('/', -1);
        const int count = model.HotMap->Count();
        EXPECT_EQ(cleared, 0) << file;
        EXPECT_EQ(loaded, count) << file;
        EXPECT_EQ(test::ReadBytes(file), original) << file;
        EXPECT_EQ(reports, QStringList{QStringLiteral("%1 %2 written to %3")
                                           .arg(count)
                                           .arg(count == 1 ? "outline" : "outlines")
                                           .arg(name)});
        EXPECT_EQ(dialogs.shown, QStringList{"Do you really want to remove all Spots?"});
        dialogs.Clear();
    }
}

struct TDamagedFile {
    const char* name;
    THotMapBytes bytes;
    std::string refusal; // after "Cannot read file "…". "
};

TEST_F(OwnOutlineFiles, ADamagedFileIsRefusedWithItsNameAndTheField) {
    const auto oneRecord = [](const std::function<void(THotMapBytes&)>& record) {
        THotMapBytes bytes;
        bytes.Tag("HMAP").Ints({0, 1});
        record(bytes);
        return bytes;
    };
    const std::vector<TDamagedFile> cases = {
        {"negative hint length", oneRecord([](THotMapBytes& r) {
             r.U8(1).Ints({4, 0, 0, 0}).U8(1).I32(-5);
         }),
         "Stream read error: the hint length of spot 0 is -5."},
        {"shape byte above 2", oneRecord([](THotMapBytes& r) {
             r.U8(7).Fields(4).Ints({0, 0, 1, 1});
         }),
         "HotMap: Invalid Stream format: the shape byte of spot 0 is 7; a shape is 0 "
         "(polyline), 1 (rectangle) or 2 (ellipse)."},
        {"negative point count", oneRecord([](THotMapBytes& r) { r.U8(0).Fields(4).I32(-3); }),
         "List count out of bounds (-3): the point count of spot 0 is -3."},
        {"cut inside the hint", oneRecord([](THotMapBytes& r) {
             r.U8(2).Ints({4, 0, 0, 0}).U8(1).I32(3).Tag("ab");
         }),
         "Stream read error: the hint length of spot 0 is 3, beyond the end of the file."},
    };
    THotSpots opened;
    opened.Add(test::MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}, 9));
    THotMapEditor editor(dialogs, test::TestPicture(40, 30), opened, "HotImage1");
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    for (const TDamagedFile& c : cases) {
        // Named as a text file: the content, not the name, says which reader refuses it.
        const std::string file = dir.File("damaged.hmt");
        test::WriteBytes(file, c.bytes.Bytes());
        dialogs.Clear();
        dialogs.QueueFile(QString::fromStdString(file));
        Click(Find(&editor, "btnLoad"));
        EXPECT_EQ(dialogs.shown, QStringList{QString::fromStdString("Cannot read file \"" + file +
                                                                    "\". " + c.refusal)})
            << c.name;
    }
}

} // namespace
} // namespace mm
