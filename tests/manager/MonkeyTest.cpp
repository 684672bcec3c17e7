// Thousands of random clicks, wheel notches, keys and texts on the main window in both modes,
// every question answered at random, and storms of undo and redo; after every save the database
// reads back as the window holds it.
// MM_MONKEY_SEED and MM_MONKEY_SECONDS choose another run (scripts/fuzz does).
#include "Monkey.h"
#include "QtPrinters.h"
#include "TestSupport.h"
#include "manager/MainWindow.h"
#include "model/BrandTableBytes.h"
#include "model/ModelFile.h"
#include "model/RemoteFile.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace mm {
namespace {

uint32_t Seed() {
    const QByteArray seed = qgetenv("MM_MONKEY_SEED");
    return seed.isEmpty() ? 20261210u : seed.toUInt();
}

int Seconds() {
    const QByteArray seconds = qgetenv("MM_MONKEY_SECONDS");
    return seconds.isEmpty() ? 20 : seconds.toInt();
}

TSSByteArray Jpeg() {
    QImage image(40, 60, QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return TSSByteArray(bytes.begin(), bytes.end());
}

// Models of every kind the window shows differently.
TMyModelRecords Catalogue() {
    TMyModelRecords models;
    for (int m = 0; m < 6; ++m) {
        TMyModelRecord record;
        record.ModelID = static_cast<uint16_t>(m + 1);
        record.ModelType.Assign("Model" + std::to_string(m));
        record.PageCount = 2;
        record.HasShift = m == 2 ? 1 : 0;
        const int keys = m == 2 ? 8 : 6;
        record.KeyCount = static_cast<uint8_t>(keys);
        for (int k = 0; k < keys; ++k) {
            record.BtnInfo[k].Name.Assign("K" + std::to_string(k));
            record.BtnInfo[k].KNo = static_cast<uint8_t>(k + 1);
            record.BtnInfo[k].KeyIdx = static_cast<uint16_t>(k + 1);
        }
        record.CommType = m == 3 ? 1 : 0;
        record.ChipKind = std::array<uint8_t, 6>{0, 5, 2, 1, 3, 10}[static_cast<size_t>(m)];
        if (m % 2 == 1)
            record.Blob = Jpeg();
        record.PicSize = static_cast<int32_t>(record.Blob.size());
        if (record.ChipKind == 5) {
            for (uint8_t b : {5, 0, 18, 0, 9, 0, 3, 0, 23, 0})
                record.Blob.push_back(b);
            record.UniversalCount = 2;
            record.ProtocolCount = 1;
        } else if (record.ChipKind == 3) {
            for (char c : std::string("AB\r\n"))
                record.Blob.push_back(static_cast<uint8_t>(c));
            record.UniversalCount = 4;
        }
        record.BlobSize = static_cast<int32_t>(record.Blob.size());
        models.push_back(record);
    }
    return models;
}

struct FileStamp {
    ino_t inode = 0;
    timespec modified{};
    off_t size = -1;
    bool operator==(const FileStamp& o) const {
        return inode == o.inode && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && size == o.size;
    }
};

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {info.st_ino, info.st_mtim, info.st_size};
}

TEST(Monkey, RandomInputNeverBreaksTheWindowAndEverySaveReadsBack) {
    const uint32_t seed = Seed();
    SCOPED_TRACE("MM_MONKEY_SEED=" + std::to_string(seed));
    test::TempDir dir;
    std::filesystem::create_directory(dir.Dir() + "data");
    const std::string database = ModelDatabasePath(dir.Dir());
    SaveModelFile(database, Catalogue(), 0);
    test::WriteBytes(dir.Dir() + "data/remote.db",
                     test::Deflated(test::BrandPayload({"A", "B"}, {{0, 5}, {1, 9}})));
    WriteRemoteFile(dir.File("one.rmt"), Catalogue()[1]);
    // Outline files of some models: a save may move or copy them, never lose one.
    const auto outlineFiles = [&] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Dir() + "data"))
            count += entry.path().extension() == ".hmt";
        return count;
    };
    for (const char* id : {"0001", "0002", "0003"})
        test::WriteBytes(dir.Dir() + "data/Model" + id + ".hmt", {'H', 'M', 'A', 'P'});
    const TSSByteArray picture = Jpeg();
    test::WriteBytes(dir.File("pic.jpg"), picture);
    test::WriteBytes(dir.File("bad.jpg"), {1, 2, 3});
    auto file = [&](const char* name) { return QString::fromStdString(dir.File(name)); };
    test::TRandomDialogs dialogs(seed, {file("one.rmt"), file("pic.jpg"), file("bad.jpg"),
                                        file("out.json"), file("out.rmt"), file("saved.jpg"),
                                        QStringLiteral("/nonexistent/folder/x.rmt")});

    QApplication::setQuitOnLastWindowClosed(false);
    const QString workingDir = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.Dir())); // a click on the picture writes s.jpg
    MainWindow window(dialogs, dir.Dir());
    window.show();
    FileStamp saved = StampOf(database);
    int saves = 0;
    test::TMonkey monkey(seed, [&] { return &window; });
    // Now and then a storm of Ctrl+Z and Ctrl+Y on the key table, then Ctrl+S: what is saved
    // then must still read back as the window holds it (checked below once the file changed).
    std::mt19937 storms(seed);
    int events = 0;
    const auto undoStorm = [&] {
        auto* keys = window.findChild<QWidget*>(QStringLiteral("tsGridKeyList1"));
        for (unsigned k = 0, n = 1 + storms() % 20; k < n; ++k)
            QTest::keyClick(keys, storms() % 3 == 0 ? Qt::Key_Y : Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(keys, Qt::Key_S, Qt::ControlModifier);
    };
    monkey.AfterEachEvent = [&] {
        if (++events % 200 == 0 && window.isVisible() && !QApplication::activeModalWidget())
            undoStorm();
        if (window.isVisible()) {
            ASSERT_EQ(window.size(), QSize(1080, 729)) << "the window grew";
        }
        const FileStamp now = StampOf(database);
        if (now == saved)
            return;
        saved = now;
        ++saves;
        ASSERT_GE(outlineFiles(), 3) << "an outline file was lost";
        const TModelDocument& document = window.Document();
        if (document.Unsaved())
            return; // changed again since
        TMyModelRecords back;
        ASSERT_TRUE(LoadModelFile(database, back).Read);
        ASSERT_EQ(back.size(), document.Models().size());
        for (size_t m = 0; m < back.size(); ++m) {
            const TMyModelRecord& held = document.Models()[m];
            ASSERT_EQ(std::memcmp(&back[m].Fixed(), &held.Fixed(), sizeof(TModelFixedPart)), 0)
                << "model " << m;
            const size_t blob = static_cast<size_t>(std::max(0, held.BlobSize));
            ASSERT_EQ(back[m].Blob.size(), blob) << "model " << m;
            ASSERT_TRUE(std::equal(back[m].Blob.begin(), back[m].Blob.end(), held.Blob.begin()))
                << "model " << m;
        }
    };
    const int sent = monkey.Run(1000000, Seconds() * 1000);
    QDir::setCurrent(workingDir);
    EXPECT_GT(sent, 200);
    std::printf("monkey: %d events, %d saves, %d messages, seed %u\n", sent, saves, dialogs.shown,
                seed);
}

} // namespace
} // namespace mm
