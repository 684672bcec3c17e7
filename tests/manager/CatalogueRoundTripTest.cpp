// A catalogue of a few thousand models goes through the document's load, Copy/Add, Delete, new
// pictures and a save, and the file it writes is, byte for byte, the one the edits call for;
// it reads back the same and saves again unchanged. Every record lives in its catalogue's memory.
#include "TestSupport.h"
#include "manager/ModelDocument.h"
#include "model/ModelFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace mm {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kModels = 2000;
constexpr size_t kFixed = 3280;
constexpr double kSaveTime = 45000.25;

// One record as the file holds it, laid out here independently of the record type.
struct StoredModel {
    Bytes fixed;
    Bytes blob;
};

void PutLE(Bytes& b, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetLE(const Bytes& b, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | b[at + static_cast<size_t>(i)];
    return value;
}

// Bytes that differ from model to model and from place to place.
void Scramble(Bytes& b, size_t from, uint32_t seed) {
    for (size_t i = from; i < b.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        b[i] = static_cast<uint8_t>(seed >> 24);
    }
}

// Model i: odd identifiers (so the lowest free ones are even), pictures of 100 to 700 bytes,
// and every third one a universal model whose code region follows its picture.
StoredModel Model(int i) {
    StoredModel m;
    m.fixed.resize(kFixed);
    Scramble(m.fixed, 0, static_cast<uint32_t>(i) + 1);
    const bool universal = i % 3 == 0;
    const uint32_t picture = 100 + static_cast<uint32_t>(i * 37 % 600);
    const uint32_t region = universal ? 2 * 4 + 1 * 2 : 0;
    m.fixed[3100] = universal ? 5 : 0;                         // ChipKind
    m.fixed[3127] = static_cast<uint8_t>(i % 125);             // KeyCount
    PutLE(m.fixed, 3128, 2 * static_cast<uint32_t>(i) + 1, 2); // ModelID
    m.fixed[3132] = static_cast<uint8_t>(1 + i % 8);           // PageCount
    PutLE(m.fixed, 3261, picture, 4);                          // PicSize
    PutLE(m.fixed, 3268, universal ? 2 : 0, 4);                // UniversalCount
    PutLE(m.fixed, 3272, universal ? 1 : 0, 4);                // ProtocolCount
    PutLE(m.fixed, 3276, picture + region, 4);                 // BlobSize
    m.blob.resize(picture + region);
    Scramble(m.blob, 0, static_cast<uint32_t>(i) * 7 + 3);
    m.blob[0] = 0xFF;
    m.blob[1] = 0xD8;
    return m;
}

Bytes Header(size_t count, double saveTime) {
    Bytes h(512, 0);
    PutLE(h, 0, static_cast<uint32_t>(count), 4);
    PutLE(h, 260, 0xF003, 2);
    const std::string signature = "this is quorin file";
    h[262] = static_cast<uint8_t>(signature.size());
    std::memcpy(h.data() + 263, signature.data(), signature.size());
    std::memcpy(h.data() + 328, &saveTime, sizeof saveTime);
    return h;
}

Bytes FileOf(const std::vector<StoredModel>& models, double saveTime) {
    Bytes file = Header(models.size(), saveTime);
    for (const StoredModel& m : models) {
        file.insert(file.end(), m.fixed.begin(), m.fixed.end());
        file.insert(file.end(), m.blob.begin(), m.blob.end());
    }
    return file;
}

// The first offset where two images differ, or their common length.
size_t FirstDifference(const Bytes& a, const Bytes& b) {
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<size_t>(ia - a.begin());
}

void ExpectSameModels(const TMyModelRecords& held, const std::vector<StoredModel>& expected) {
    ASSERT_EQ(held.size(), expected.size());
    for (size_t i = 0; i < held.size(); ++i) {
        ASSERT_EQ(std::memcmp(&held[i].Fixed(), expected[i].fixed.data(), kFixed), 0) << i;
        ASSERT_EQ(held[i].Blob, expected[i].blob) << i;
        ASSERT_EQ(held[i].Blob.get_allocator().resource(), held.Memory()) << i;
    }
}

class CatalogueRoundTrip : public testing::Test {
protected:
    test::TempDir dir;

    void SetUp() override { std::filesystem::create_directory(dir.Dir() + "data"); }
    std::string DatabasePath() const { return ModelDatabasePath(dir.Dir()); }

    // A new picture for the record, as "Load Picture..." takes it; the code region after the
    // old picture moves behind the new one.
    void NewPicture(TModelDocument& document, std::vector<StoredModel>& expected, int index,
                    size_t size) {
        Bytes picture(size);
        Scramble(picture, 0, static_cast<uint32_t>(size));
        picture[0] = 0xFF;
        picture[1] = 0xD8;
        const std::string file = dir.File("new.jpg");
        test::WriteBytes(file, picture);
        document.LoadPicture(index, file);

        StoredModel& m = expected[static_cast<size_t>(index)];
        const uint32_t oldPicture = GetLE(m.fixed, 3261, 4);
        Bytes blob = picture;
        blob.insert(blob.end(), m.blob.begin() + oldPicture, m.blob.end());
        PutLE(m.fixed, 3261, static_cast<uint32_t>(size), 4);
        PutLE(m.fixed, 3276, static_cast<uint32_t>(blob.size()), 4);
        m.blob = std::move(blob);
    }
};

TEST_F(CatalogueRoundTrip, EditsSaveAndReloadByteForByte) {
    std::vector<StoredModel> expected;
    for (int i = 0; i < kModels; ++i)
        expected.push_back(Model(i));
    test::WriteBytes(DatabasePath(), FileOf(expected, 1.5));

    TModelDocument document(dir.Dir());
    ASSERT_TRUE(document.Load().empty());
    ExpectSameModels(document.Models(), expected);

    // Copy/Add: the copy takes the lowest identifier no model uses (0, 2, 4: all are odd).
    uint32_t freeId = 0;
    for (int source : {5, 1234, kModels - 1}) {
        document.CopyAdd(source);
        StoredModel copy = expected[static_cast<size_t>(source)];
        PutLE(copy.fixed, 3128, freeId, 2);
        freeId += 2;
        expected.push_back(std::move(copy));
    }
    // Delete, from the start, the middle and among the copies.
    for (int index : {0, 1500, kModels - 1}) {
        document.Delete(index);
        expected.erase(expected.begin() + index);
    }
    // New pictures: one before a code region, a larger one on a copy, a smaller one elsewhere.
    ASSERT_EQ(expected[2].fixed[3100], 5);
    NewPicture(document, expected, 2, 5000);
    NewPicture(document, expected, static_cast<int>(expected.size()) - 1, 60 * 1024);
    NewPicture(document, expected, 700, 10);
    ExpectSameModels(document.Models(), expected);

    // The save marks every key entry reserved, and writes the records as they are.
    for (StoredModel& m : expected)
        for (size_t entry = 0; entry < 124; ++entry)
            m.fixed[entry * 25 + 21] = 255;
    EXPECT_EQ(document.Save(kSaveTime), expected.size());
    const Bytes want = FileOf(expected, kSaveTime);
    const Bytes written = test::ReadBytes(DatabasePath());
    ASSERT_EQ(written.size(), want.size());
    ASSERT_EQ(FirstDifference(written, want), want.size());

    // Read back into a new catalogue, and saved again from it: the same bytes.
    TModelDocument reloaded(dir.Dir());
    ASSERT_TRUE(reloaded.Load().empty());
    ExpectSameModels(reloaded.Models(), expected);
    reloaded.Save(kSaveTime);
    EXPECT_EQ(FirstDifference(test::ReadBytes(DatabasePath()), want), want.size());
}

} // namespace
} // namespace mm
