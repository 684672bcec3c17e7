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
        SaveDatabase({withBlob, ValidModel(1, "Fan")});
        Open();
    }
    std::string Exported() {
        const std::string path = dir.File("tv.rmt");
        dialogs.QueueFile(QString::fromStdString(path));
        window->ToolButton1->click();
        return path;
    }
    void Import(const std::string& path) {
        dialogs.QueueFile(QString::fromStdString(path));
        window->ToolButton2->click();
    }
};

TEST_F(FileCommands, ExportThenImportTwiceAppendsWithFreeIds) {
    const std::string path = Exported();
    EXPECT_EQ(test::ReadBytes(path).size(), 8280u);
    Import(path);
    Import(path);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    ASSERT_EQ(window->Models.size(), 4u);
    EXPECT_EQ(window->Models[2].ModelID, 2); // 0 and 1 are taken
    EXPECT_EQ(window->Models[3].ModelID, 3);
    EXPECT_EQ(window->Models[3].Blob, window->Models[0].Blob);
    EXPECT_EQ(window->tsGrid1->Rows(), 4);
    EXPECT_EQ(window->CurrentRow(), 1);
    EXPECT_EQ(SavedModels().size(), 2u); // nothing is written until the next save
}

TEST_F(FileCommands, ImportRefusesAFileOfNoLayout) {
    const std::string path = dir.File("short.rmt");
    test::WriteBytes(path, std::vector<uint8_t>(3279, 0));
    Import(path);
    EXPECT_EQ(dialogs.shown, QStringList{"error file"});
    EXPECT_EQ(window->Models.size(), 2u);
}

TEST_F(FileCommands, CancelledDialogsDoNothing) {
    window->ToolButton1->click();
    window->ToolButton2->click();
    window->ToolButton10->click();
    EXPECT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(window->Models.size(), 2u);
}

TEST_F(FileCommands, JsonExportWritesEveryModel) {
    const std::string path = dir.File("all.json");
    dialogs.QueueFile(QString::fromStdString(path));
    window->ToolButton10->click();
    const auto bytes = test::ReadBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), JsonExportText(window->Models));
}

TEST_F(FileCommands, BrandListWithoutBrandTableShowsTheFileErrorBox) {
    window->tbnUniverModeClick();
    EXPECT_EQ(dialogs.shown,
              QStringList{QString::fromUtf8("加载错误,remote.db文件是否和本exe文件一个目录")});
    EXPECT_EQ(dialogs.captions, QStringList{"File Error"});
    EXPECT_TRUE(dialogs.fileRequests.empty());
}

TEST_F(FileCommands, BrandListUsesTheUniversalCodeLinesShown) {
    test::WriteBytes(DataDir() + "/remote.db",
                     test::Deflated(test::BrandPayload({"A", "B"}, {{0, 5}, {0, 9}, {1, 7}})));
    window->Memo1->setPlainText("5=12\n9=3\nno pair");
    const std::string path = dir.File("brands.txt");
    dialogs.QueueFile(QString::fromStdString(path));
    window->tbnUniverModeClick();
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    const auto bytes = test::ReadBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("A\t0012 0003 "), std::string::npos) << text;
    EXPECT_EQ(text.find("B\t"), std::string::npos) << text;
}

} // namespace
} // namespace mm
