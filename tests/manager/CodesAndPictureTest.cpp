// Chip kind, communication type, code pages and the picture, driven with clicks and keys.
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
#include <QRadioButton>
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

    QTabWidget* Tabs() { return Find<QTabWidget>("PageControl2"); }
    QPlainTextEdit* Memo(const char* name) { return Find<QPlainTextEdit>(name); }
    TRadioGroup* Chips(const char* name) { return Find<TRadioGroup>(name); }
    bool CodeTabsShown() { return Tabs()->isTabVisible(2) && Tabs()->isTabVisible(3); }

    // Selects all of a code page and types the lines, each ended with Enter but the last.
    void TypeLines(const char* memo, const QStringList& lines) {
        Click(Memo(memo));
        Key(Memo(memo), Qt::Key_A, Qt::ControlModifier);
        Key(Memo(memo), Qt::Key_Delete);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                Key(Memo(memo), Qt::Key_Return);
            Type(Memo(memo), lines[i]);
        }
    }
    // A click on the item's round button.
    void ClickChip(const char* group, int item) {
        QRadioButton* button = Chips(group)->findChildren<QRadioButton*>()[item];
        Click(button, Qt::LeftButton, {8, button->height() / 2});
    }
};

TEST_F(CodesAndPicture, UniversalCodesShowAndStoreUnchanged) {
    const TMyModelRecord record = Universal(Jpeg());
    OpenWith({record});
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(Memo("Memo1")->toPlainText(), "0005=0018\n0001=65535\n");
    EXPECT_EQ(Memo("Memo2")->toPlainText(), "PID0023\nPID0007\n");
    EXPECT_EQ(Tabs()->tabText(2), "Universal Code");
    EXPECT_TRUE(CodeTabsShown());
    EXPECT_TRUE(Find("tbnUniverMode")->isVisible());
    EXPECT_EQ(Chips("chipType")->ItemIndex(), 5);
    EXPECT_FALSE(Find<TPictureBox>("Image1")->Picture().isNull());
    EnterEditMode();
    Click("ToolButton3");
    EXPECT_EQ(SavedModels()[0].Blob, record.Blob);
}

TEST_F(CodesAndPicture, FixedCodeTextIsStoredWithCrLf) {
    TMyModelRecord record = ValidModel(1, "TV");
    record.ChipKind = 3;
    record.Blob = {'x', '\r', '\n'};
    record.UniversalCount = 3;
    record.BlobSize = 3;
    TMyModelRecord second = record;
    second.ModelID = 2;
    OpenWith({record, second});
    EXPECT_EQ(Tabs()->tabText(2), "Fixed Code");
    EXPECT_EQ(Memo("Memo1")->toPlainText(), "x\n");
    EXPECT_FALSE(Find("tbnUniverMode")->isVisible());
    EnterEditMode();
    TypeLines("Memo1", {"AB", "C"});
    ClickCell(Grid("tsGrid1"), 1, 2);
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    EXPECT_EQ(Models()[0].UniversalCount, 7);
    EXPECT_EQ(Models()[0].Blob, (TSSByteArray{'A', 'B', '\r', '\n', 'C', '\r', '\n'}));
    EXPECT_EQ(Memo("Memo1")->toPlainText(), "x\n"); // the second kind-3 model shows its own text
    EXPECT_EQ(Tabs()->tabText(2), "Fixed Code");
}

TEST_F(CodesAndPicture, ABadCodeLineFailsTheStore) {
    OpenWith({Universal({})});
    EnterEditMode();
    TypeLines("Memo1", {"0005=0018", "a=1"});
    Save();
    EXPECT_EQ(dialogs.shown, QStringList{"'a' is not a valid integer value"});
    EXPECT_EQ(SavedModels()[0].UniversalCount, 2);
    EXPECT_EQ(Models()[0].UniversalCount, 2); // a conversion error changes nothing
}

TEST_F(CodesAndPicture, ChangingToAKindWithoutCodesDropsTheRegion) {
    OpenWith({Universal({})});
    EnterEditMode();
    ClickChip("chipType", 1);
    EXPECT_FALSE(CodeTabsShown());
    Save();
    const TMyModelRecord& stored = Models()[0];
    EXPECT_EQ(stored.ChipKind, 1);
    EXPECT_EQ(stored.UniversalCount, 0);
    EXPECT_EQ(stored.ProtocolCount, 0);
    EXPECT_EQ(stored.BlobSize, 0);
    ChooseFromCellMenu(Grid("tsGrid1"), 1, 1, "Copy/Add"); // shows the model again
    EXPECT_FALSE(CodeTabsShown());
    EXPECT_TRUE(Memo("Memo1")->toPlainText().isEmpty());
}

TEST_F(CodesAndPicture, TheCommunicationTypeChoosesTheChipGroup) {
    TMyModelRecord ir = ValidModel(1, "IR");
    ir.ChipKind = 255;
    TMyModelRecord usb = ValidModel(2, "USB");
    usb.CommType = 1;
    usb.ChipKind = 255;
    OpenWith({ir, usb});
    EXPECT_EQ(Chips("chipType")->ItemIndex(), 12); // beyond the group: its last item
    EXPECT_TRUE(Chips("chipType")->isVisible());
    ClickCell(Grid("tsGrid1"), 1, 2);
    EXPECT_EQ(Chips("RadioGroup1")->ItemIndex(), 1);
    EXPECT_FALSE(Chips("chipType")->isVisible());
    EXPECT_TRUE(Chips("RadioGroup1")->isVisible());
    EnterEditMode();
    ClickChip("RadioGroup1", 0);
    Save();
    EXPECT_EQ(Models()[1].ChipKind, 0);
    EXPECT_EQ(Models()[1].CommType, 1);

    // Choosing "Ir Communicate" shows the IR group, whose selection is stored.
    auto* comm = Find<QComboBox>("ComboBox1");
    Click(comm); // opens the list
    ASSERT_TRUE(comm->view()->isVisible());
    Key(comm->view(), Qt::Key_Up);
    Key(comm->view(), Qt::Key_Return);
    EXPECT_FALSE(comm->view()->isVisible());
    EXPECT_EQ(comm->currentIndex(), 0);
    EXPECT_TRUE(Chips("chipType")->isVisible());
    EXPECT_FALSE(Chips("RadioGroup1")->isVisible());
    ClickChip("chipType", 2);
    Save();
    EXPECT_EQ(Models()[1].CommType, 0);
    EXPECT_EQ(Models()[1].ChipKind, 2);
}

TEST_F(CodesAndPicture, KindTenShowsEmptyCodeTabsAndStoresNoCodes) {
    TMyModelRecord ble = ValidModel(2, "Ble");
    ble.ChipKind = 10;
    OpenWith({ValidModel(1, "TV"), ble});
    ClickCell(Grid("tsGrid1"), 1, 2);
    EXPECT_TRUE(CodeTabsShown());
    EXPECT_TRUE(Memo("Memo1")->toPlainText().isEmpty());
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
        Click("BitBtn3");
    }
    TPictureBox* Picture() { return Find<TPictureBox>("Image1"); }
};

TEST_F(PictureFiles, ExtensionAndSizeRules) {
    OpenWith({ValidModel(1, "TV")});
    EnterEditMode();
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
    EXPECT_EQ(int32_t{Models()[0].PicSize}, 0);

    big.pop_back(); // exactly 100K: taken (the bytes after the image are ignored by the decoder)
    dialogs.Clear();
    Load(PictureFile("ok.Jpg", big));
    EXPECT_EQ(int32_t{Models()[0].PicSize}, 100 * 1024);
}

TEST_F(PictureFiles, LoadingIntoAUniversalModelKeepsTheCodesBehindTheNewPicture) {
    OpenWith({Universal(Jpeg(4, 4))});
    EnterEditMode();
    const test::Bytes picture = Jpeg(16, 9);
    Load(PictureFile("new.jpg", picture));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    EXPECT_EQ(Picture()->Picture().size(), QSize(16, 9));
    Click("ToolButton3");
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
    OpenWith({record});
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(Picture()->Picture().isNull());
    EXPECT_EQ(Memo("Memo1")->toPlainText(), "0005=0018\n0001=65535\n");
    EXPECT_EQ(Grid("tsGridKeyList1")->Rows(), 2);
}

TEST_F(PictureFiles, SavingAndClickingWriteTheStoredBytesUnchanged) {
    const test::Bytes picture = Jpeg();
    TMyModelRecord record = ValidModel(1, "TV");
    record.Blob = picture;
    record.PicSize = record.BlobSize = static_cast<int32_t>(picture.size());
    OpenWith({record, ValidModel(2, "Fan")});
    dialogs.QueueFile(QString::fromStdString(dir.File("out")));
    ChooseFromContextMenu(Picture(), Picture()->rect().center(), "SAVE PICTURE");
    EXPECT_EQ(test::ReadBytes(dir.File("out.jpg")), picture);

    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.Dir()));
    Click(Picture());
    EXPECT_EQ(test::ReadBytes(dir.File("s.jpg")), picture);
    ClickCell(Grid("tsGrid1"), 1, 2); // no picture: nothing written, no dialog
    std::filesystem::remove(dir.File("s.jpg"));
    Click(Picture());
    ChooseFromContextMenu(Picture(), Picture()->rect().center(), "SAVE PICTURE");
    QDir::setCurrent(before);
    EXPECT_FALSE(std::filesystem::exists(dir.File("s.jpg")));
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
}

} // namespace
} // namespace mm
