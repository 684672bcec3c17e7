#include "WindowFixture.h"
#include "controls/PictureBox.h"
#include "controls/RadioGroup.h"
#include "model/ModelBytes.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace mm {
namespace {

test::Bytes Jpeg(int width = 8, int height = 6) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return test::Bytes(bytes.begin(), bytes.end());
}

void PutU32(TSSByteArray& blob, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        blob.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutU16(TSSByteArray& blob, uint16_t v) {
    blob.push_back(static_cast<uint8_t>(v));
    blob.push_back(static_cast<uint8_t>(v >> 8));
}

class CodesAndPicture : public test::WindowTest {
protected:
    // A kind-5 model: picture, codes 5|18<<16 and 1|65535<<16, protocols 23 and 7.
    static TMyModelRecord Universal(const test::Bytes& picture) {
        TMyModelRecord record = ValidModel(1, "TV");
        record.ChipKind = 5;
        record.Blob = picture;
        record.PicSize = static_cast<int32_t>(picture.size());
        PutU32(record.Blob, 5u | 18u << 16);
        PutU32(record.Blob, 1u | 65535u << 16);
        PutU16(record.Blob, 23);
        PutU16(record.Blob, 7);
        record.UniversalCount = 2;
        record.ProtocolCount = 2;
        record.BlobSize = static_cast<int32_t>(record.Blob.size());
        return record;
    }

    bool CodeTabsShown() {
        return window->PageControl2->isTabVisible(2) && window->PageControl2->isTabVisible(3);
    }
};

TEST_F(CodesAndPicture, UniversalCodesShowAndStoreUnchanged) {
    const TMyModelRecord record = Universal(Jpeg());
    SaveDatabase({record});
    Open();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(window->Memo1->toPlainText(), "0005=0018\n0001=65535\n");
    EXPECT_EQ(window->Memo2->toPlainText(), "PID0023\nPID0007\n");
    EXPECT_EQ(window->PageControl2->tabText(2), "Universal Code");
    EXPECT_TRUE(CodeTabsShown());
    EXPECT_TRUE(window->tbnUniverMode->isVisible());
    EXPECT_EQ(window->chipType->ItemIndex(), 5);
    EXPECT_FALSE(window->Image1->Picture().isNull());
    window->ToolButton3->click();
    window->ToolButton3->click();
    EXPECT_EQ(SavedModels()[0].Blob, record.Blob);
}

TEST_F(CodesAndPicture, FixedCodeTextIsStoredWithCrLf) {
    TMyModelRecord record = ValidModel(1, "TV");
    record.ChipKind = 3;
    record.Blob = {'x', '\r', '\n'};
    record.UniversalCount = 3;
    record.BlobSize = 3;
    SaveDatabase({record, record});
    Open();
    EXPECT_EQ(window->PageControl2->tabText(2), "Fixed Code");
    EXPECT_EQ(window->Memo1->toPlainText(), "x\n");
    EXPECT_FALSE(window->tbnUniverMode->isVisible());
    window->ToolButton3->click();
    window->Memo1->setPlainText("AB\nC");
    window->tsGrid1->SetCell(2, 2, "2");
    emit window->tsGrid1->CellEdit(2, 2);
    window->tsGrid1->SetCurrentRow(2);
    EXPECT_EQ(window->Models[0].UniversalCount, 7);
    EXPECT_EQ(window->Models[0].Blob, (TSSByteArray{'A', 'B', '\r', '\n', 'C', '\r', '\n'}));
    EXPECT_EQ(window->Memo1->toPlainText(), "x\n"); // the second kind-3 model shows its own text
    EXPECT_EQ(window->PageControl2->tabText(2), "Fixed Code");
}

TEST_F(CodesAndPicture, ABadCodeLineFailsTheStore) {
    SaveDatabase({Universal({})});
    Open();
    window->ToolButton3->click();
    window->Memo1->setPlainText("a=1");
    window->Action3->trigger();
    EXPECT_EQ(dialogs.shown, QStringList{"'a' is not a valid integer value"});
    EXPECT_EQ(SavedModels()[0].UniversalCount, 2);
}

TEST_F(CodesAndPicture, ChangingToAKindWithoutCodesDropsTheRegion) {
    SaveDatabase({Universal({})});
    Open();
    window->ToolButton3->click();
    window->chipType->SetItemIndex(1);
    EXPECT_FALSE(CodeTabsShown());
    window->Action3->trigger();
    const TMyModelRecord& stored = window->Models[0];
    EXPECT_EQ(stored.ChipKind, 1);
    EXPECT_EQ(stored.UniversalCount, 0);
    EXPECT_EQ(stored.ProtocolCount, 0);
    EXPECT_EQ(stored.BlobSize, 0);
    window->RefreshList();
    EXPECT_FALSE(CodeTabsShown());
    EXPECT_TRUE(window->Memo1->toPlainText().isEmpty());
}

TEST_F(CodesAndPicture, ChipKindBeyondTheGroupSelectsItsLastItem) {
    TMyModelRecord ir = ValidModel(1, "IR");
    ir.ChipKind = 255;
    TMyModelRecord usb = ValidModel(2, "USB");
    usb.CommType = 1;
    usb.ChipKind = 255;
    SaveDatabase({ir, usb});
    Open();
    EXPECT_EQ(window->chipType->ItemIndex(), 12);
    EXPECT_TRUE(window->chipType->isVisibleTo(window.get()));
    window->tsGrid1->SetCurrentRow(2);
    EXPECT_EQ(window->RadioGroup1->ItemIndex(), 1);
    EXPECT_FALSE(window->chipType->isVisibleTo(window.get()));
    EXPECT_TRUE(window->RadioGroup1->isVisibleTo(window.get()));
    window->ToolButton3->click();
    window->RadioGroup1->SetItemIndex(0);
    window->Action3->trigger();
    EXPECT_EQ(window->Models[1].ChipKind, 0);
    EXPECT_EQ(window->Models[1].CommType, 1);
}

TEST_F(CodesAndPicture, KindTenShowsEmptyCodeTabsAndStoresNoCodes) {
    TMyModelRecord ble = ValidModel(2, "Ble");
    ble.ChipKind = 10;
    SaveDatabase({ValidModel(1, "TV"), ble});
    Open();
    window->tsGrid1->SetCurrentRow(2);
    EXPECT_TRUE(CodeTabsShown());
    EXPECT_TRUE(window->Memo1->toPlainText().isEmpty());
}

class PictureFiles : public CodesAndPicture {
protected:
    std::string PictureFile(const std::string& name, const test::Bytes& bytes) {
        const std::string path = dir.File(name);
        test::WriteBytes(path, bytes);
        return path;
    }
    void Load(const std::string& path) {
        dialogs.QueueFile(QString::fromStdString(path));
        window->BitBtn3->click();
    }
};

TEST_F(PictureFiles, ExtensionAndSizeRules) {
    SaveDatabase({ValidModel(1, "TV")});
    Open();
    window->ToolButton3->click();
    for (const char* name : {"a.jpe", "a", "a.png"}) {
        dialogs.Clear();
        Load(PictureFile(name, Jpeg()));
        EXPECT_EQ(dialogs.shown, QStringList{"Must be jpg image file"}) << name;
    }
    test::Bytes big = Jpeg();
    big.resize(100 * 1024 + 1, 0);
    dialogs.Clear();
    Load(PictureFile("big.JPEG", big));
    EXPECT_EQ(dialogs.shown, QStringList{"the image file can not bigger than 100K"});
    EXPECT_EQ(int32_t{window->Models[0].PicSize}, 0);

    big.pop_back(); // exactly 100K: taken (the bytes after the image are ignored by the decoder)
    dialogs.Clear();
    Load(PictureFile("ok.Jpg", big));
    EXPECT_EQ(int32_t{window->Models[0].PicSize}, 100 * 1024);
}

TEST_F(PictureFiles, LoadingIntoAUniversalModelKeepsTheCodesBehindTheNewPicture) {
    SaveDatabase({Universal(Jpeg(4, 4))});
    Open();
    window->ToolButton3->click();
    const test::Bytes picture = Jpeg(16, 9);
    Load(PictureFile("new.jpg", picture));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    window->ToolButton3->click();
    const TMyModelRecord saved = SavedModels()[0];
    EXPECT_EQ(int32_t{saved.PicSize}, static_cast<int32_t>(picture.size()));
    EXPECT_EQ(saved.BlobSize, saved.PicSize + 4 * 2 + 2 * 2);
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), saved.Blob.begin()));
}

TEST_F(PictureFiles, ADamagedPictureIsReportedAndTheRestOfTheModelShown) {
    TMyModelRecord record = Universal({});
    record.Blob.insert(record.Blob.begin(), {0xFF, 0xD8, 0x00, 0x01});
    record.PicSize = 4;
    record.BlobSize += 4;
    SaveDatabase({record});
    Open();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(window->Image1->Picture().isNull());
    EXPECT_EQ(window->Memo1->toPlainText(), "0005=0018\n0001=65535\n");
    EXPECT_EQ(window->tsGridKeyList1->Rows(), 2);
}

TEST_F(PictureFiles, SavingAndClickingWriteTheStoredBytesUnchanged) {
    const test::Bytes picture = Jpeg();
    TMyModelRecord record = ValidModel(1, "TV");
    record.Blob = picture;
    record.PicSize = record.BlobSize = static_cast<int32_t>(picture.size());
    SaveDatabase({record, ValidModel(2, "Fan")});
    Open();
    dialogs.QueueFile(QString::fromStdString(dir.File("out")));
    window->SAVEPICTURE1->trigger();
    EXPECT_EQ(test::ReadBytes(dir.File("out.jpg")), picture);

    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.Dir()));
    emit window->Image1->Clicked();
    EXPECT_EQ(test::ReadBytes(dir.File("s.jpg")), picture);
    window->tsGrid1->SetCurrentRow(2); // no picture: nothing written, no dialog
    std::filesystem::remove(dir.File("s.jpg"));
    emit window->Image1->Clicked();
    window->SAVEPICTURE1->trigger();
    QDir::setCurrent(before);
    EXPECT_FALSE(std::filesystem::exists(dir.File("s.jpg")));
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
}

} // namespace
} // namespace mm
