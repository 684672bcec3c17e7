// Export, import, JSON export and the brand list from the toolbar.
#include "WindowFixture.h"
#include "model/BrandTableBytes.h"
#include "model/JsonExport.h"

#include <QPlainTextEdit>
#include <QToolButton>

namespace mm {
namespace {

class FileCommands : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        TMyModelRecord withBlob = ValidModel(0, "TV");
        withBlob.Blob.assign(5000, 7);
        withBlob.BlobSize = 5000;
        OpenWith({withBlob, ValidModel(1, "Fan")});
    }
    std::string Exported() {
        const std::string path = dir.File("tv.rmt");
        dialogs.QueueFile(QString::fromStdString(path));
        Click("ToolButton1");
        return path;
    }
    void Import(const std::string& path) {
        dialogs.QueueFile(QString::fromStdString(path));
        Click("ToolButton2");
    }
};

TEST_F(FileCommands, ExportThenImportTwiceAppendsWithFreeIds) {
    const std::string path = Exported();
    EXPECT_EQ(test::ReadBytes(path).size(), 8280u);
    Import(path);
    Import(path);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    ASSERT_EQ(Models().size(), 4u);
    EXPECT_EQ(Models()[2].ModelID, 2); // 0 and 1 are taken
    EXPECT_EQ(Models()[3].ModelID, 3);
    EXPECT_EQ(Models()[3].Blob, Models()[0].Blob);
    EXPECT_EQ(Grid("tsGrid1")->Rows(), 4);
    EXPECT_EQ(Grid("tsGrid1")->CurrentRow(), 1);
    EXPECT_EQ(SavedModels().size(), 2u); // nothing is written until the next save
}

TEST_F(FileCommands, ImportRefusesAFileOfNoLayout) {
    const std::string path = dir.File("short.rmt");
    test::WriteBytes(path, std::vector<uint8_t>(3279, 0));
    Import(path);
    EXPECT_EQ(dialogs.shown, QStringList{"error file"});
    EXPECT_EQ(Models().size(), 2u);
}

TEST_F(FileCommands, CancelledDialogsDoNothing) {
    Click("ToolButton1");
    Click("ToolButton2");
    Click("ToolButton10");
    EXPECT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(Models().size(), 2u);
}

TEST_F(FileCommands, JsonExportWritesEveryModel) {
    const std::string path = dir.File("all.json");
    dialogs.QueueFile(QString::fromStdString(path));
    Click("ToolButton10");
    const auto bytes = test::ReadBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), JsonExportText(Models()));
}

// The brand table button shows for a model with universal codes.
class BrandList : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        TMyModelRecord universal = ValidModel(1, "TV");
        universal.ChipKind = 5;
        universal.UniversalCount = 1;
        universal.Blob = {5, 0, 12, 0};
        universal.BlobSize = 4;
        OpenWith({universal});
        EXPECT_TRUE(Find("tbnUniverMode")->isVisible());
    }
};

TEST_F(BrandList, WithoutBrandTableTheFileErrorBoxShows) {
    Click("tbnUniverMode");
    EXPECT_EQ(dialogs.shown,
              QStringList{QString::fromUtf8("加载错误,remote.db文件是否和本exe文件一个目录")});
    EXPECT_EQ(dialogs.captions, QStringList{"File Error"});
    EXPECT_TRUE(dialogs.fileRequests.empty());
}

TEST_F(BrandList, UsesTheUniversalCodeLinesShownThatPairTwoNumbers) {
    test::WriteBytes(
        DataDir() + "/remote.db",
        test::Deflated(test::BrandPayload({"A", "B", "C"}, {{0, 5}, {0, 9}, {1, 7}, {2, 4}})));
    auto* memo = Find<QPlainTextEdit>("Memo1");
    Click(memo);
    Key(memo, Qt::Key_End, Qt::ControlModifier);
    for (const char* line : {"9=3", "7=1=2", "no pair", "4=8"}) {
        Type(memo, line);
        Key(memo, Qt::Key_Return);
    }
    const std::string path = dir.File("brands.txt");
    dialogs.QueueFile(QString::fromStdString(path));
    Click("tbnUniverMode");
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    const auto bytes = test::ReadBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("A\t0012 0003 "), std::string::npos) << text;
    EXPECT_EQ(text.find("B\t"), std::string::npos) << text; // "7=1=2" pairs nothing
    EXPECT_NE(text.find("C\t0008 "), std::string::npos) << text;
}

} // namespace
} // namespace mm
