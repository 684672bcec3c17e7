// Loading and saving a database of 10,000 models with 30 KB pictures, against reading the same
// file with cat and copying it with cp (and syncing the copy), and the peak memory of a load
// against the file size: in this program and through `modeltool list` and `modeltool save`.
// Run without arguments; "--load FILE|none" is the child that loads once in a fresh process,
// "--peak FILE" the child that runs `modeltool list FILE` and prints its peak resident bytes.
#include "BenchSupport.h"
#include "model/ModelFile.h"
#include "platform/FileWriteStream.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>
#include <optional>
#include <random>
#include <sys/mman.h>

using namespace mm;
using namespace mm::bench;

namespace {

constexpr int kModels = 10000;
constexpr int kKeys = 40;
constexpr size_t kPictureBytes = 30 * 1024;
constexpr int kRuns = 5;

// The child: loads the file once, as a fresh program does at start-up (or nothing, for the
// baseline), and prints its peak resident bytes and the seconds the load took.
int LoadChild(const std::string& fileName) {
    TMyModelRecords models;
    const double seconds =
        fileName == "none" ? 0 : Seconds([&] { LoadModelFile(fileName, models); });
    std::printf("%.0f %.9f %zu\n", PeakResidentBytes(), seconds, models.size());
    return 0;
}

// A program started straight from this one would inherit its peak with its address space; a
// fresh child that holds nothing starts the program and reports the program's own.
int PeakChild(const std::string& fileName) {
    std::printf("%.0f\n", RunProgram({MM_MODELTOOL, "list", fileName}));
    return 0;
}

double ModeltoolListPeak(const TempFolder& folder, const std::string& fileName) {
    const std::string output = folder.File("peak.txt");
    RunProgram({SelfPath(), "--peak", fileName}, output);
    double peak = 0;
    std::ifstream(output) >> peak;
    return peak;
}

struct ChildLoad {
    double peakBytes = 0;
    double seconds = 0;
};

ChildLoad RunLoadChild(const TempFolder& folder, const std::string& fileName) {
    const std::string output = folder.File("child.txt");
    RunProgram({SelfPath(), "--load", fileName}, output);
    ChildLoad load;
    std::ifstream(output) >> load.peakBytes >> load.seconds;
    return load;
}

// What any load pays before it copies a byte: fresh pages for the records, one fault each.
double FreshMemorySeconds(size_t bytes) {
    return Seconds([bytes] {
        void* memory =
            mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED)
            throw std::bad_alloc();
        auto* bytesAt = static_cast<volatile uint8_t*>(memory);
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        for (size_t at = 0; at < bytes; at += page)
            bytesAt[at] = 1;
        munmap(memory, bytes);
    });
}

TSSByteArray RandomPicture() {
    std::mt19937 random(30);
    TSSByteArray picture(kPictureBytes);
    for (uint8_t& byte : picture)
        byte = static_cast<uint8_t>(random());
    return picture;
}

// The system's setting for huge pages, the one in brackets.
std::string HugePageSetting() {
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string line;
    std::getline(in, line);
    return line.empty() ? "not offered" : line;
}

void Fsync(const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file)
        return;
    fsync(fileno(file));
    std::fclose(file);
}

struct Row {
    const char* figure;
    double measured;
    double reference;
    double aim; // 0: no aim, for information
};

void PrintTable(const std::vector<Row>& rows) {
    std::printf("\n%-48s %10s %10s %7s %6s  %s\n", "figure", "measured", "reference", "ratio",
                "aim", "");
    for (const Row& row : rows) {
        const double ratio = row.measured / row.reference;
        if (row.aim > 0)
            std::printf("%-48s %10.1f %10.1f %7.2f %6.2f  %s\n", row.figure, row.measured,
                        row.reference, ratio, row.aim, ratio <= row.aim ? "met" : "MISSED");
        else
            std::printf("%-48s %10.1f %10.1f %7.2f %6s\n", row.figure, row.measured, row.reference,
                        ratio, "-");
    }
}

int RunBenchmark() {
    TempFolder folder;
    const std::string database = folder.File("model.RMF");
    const std::string saved = folder.File("saved.RMF");
    const std::string copied = folder.File("copied.RMF");
    SaveModelFile(database, PictureDatabase(kModels, kKeys, RandomPicture()), 0);
    const double fileBytes = static_cast<double>(std::filesystem::file_size(database));
    std::printf("database: %d models, %zu-byte pictures, %.1f MB; median of %d runs\n", kModels,
                kPictureBytes, fileBytes / 1e6, kRuns);

    // Loads and cat both read from a warm page cache; every load is a fresh program's first.
    RunProgram({"cat", database});
    const double baseline = RunLoadChild(folder, "none").peakBytes;
    std::vector<double> loads;
    double peak = 0;
    for (int run = 0; run < kRuns; ++run) {
        const ChildLoad load = RunLoadChild(folder, database);
        loads.push_back(load.seconds);
        peak = std::max(peak, load.peakBytes);
    }
    const double load = Median(loads);
    const double cat = MedianSeconds(kRuns, [&] { RunProgram({"cat", database}); });
    std::vector<double> freshTimes;
    for (int run = 0; run < kRuns; ++run)
        freshTimes.push_back(FreshMemorySeconds(static_cast<size_t>(fileBytes)));
    const double fresh = Median(freshTimes);

    // Every write starts with no dirty pages left over from the run before.
    TMyModelRecords models;
    LoadModelFile(database, models);
    const auto startSave = [&] {
        std::filesystem::remove(saved);
        sync();
    };
    const auto startCopy = [&] {
        std::filesystem::remove(copied);
        sync();
    };
    const double save = MedianSeconds(kRuns, startSave, [&] { SaveModelFile(saved, models, 0); });
    // The same bytes through the same stream, written in place: no temporary file, no lock,
    // no sync.
    const double unflushed = MedianSeconds(kRuns, startSave, [&] {
        const int fd = open(saved.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        TFileWriteStream stream(fd, saved);
        WriteModels(stream, models, 0);
        stream.Flush();
        close(fd);
    });
    const double cp = MedianSeconds(kRuns, startCopy, [&] {
        RunProgram({"cp", database, copied});
    });
    const double cpSynced = MedianSeconds(kRuns, startCopy, [&] {
        RunProgram({"cp", database, copied});
        Fsync(copied);
    });

    // modeltool as the user runs it: a whole process that loads the database and lists it, or
    // loads it and saves it elsewhere (with its sync), against cat and cp + fsync.
    const std::string empty = folder.File("empty.RMF");
    SaveModelFile(empty, {}, 0);
    const double toolBaseline = ModeltoolListPeak(folder, empty);
    double toolPeak = 0;
    for (int run = 0; run < kRuns; ++run)
        toolPeak = std::max(toolPeak, ModeltoolListPeak(folder, database));
    const double list = MedianSeconds(kRuns, [&] { RunProgram({MM_MODELTOOL, "list", database}); });
    const double toolSave = MedianSeconds(kRuns, startSave, [&] {
        RunProgram({MM_MODELTOOL, "save", database, saved});
    });

    const double ms = 1e3;
    const double mb = 1e-6;
    PrintTable({
        {"modeltool list ms / cat ms", list * ms, cat * ms, 2.5},
        {"load in a fresh process ms / cat ms", load * ms, cat * ms, 0},
        {"load ms / (cat + fresh memory of file size) ms", load * ms, (cat + fresh) * ms, 0},
        {"modeltool save ms / (cp + fsync of the copy) ms", toolSave * ms, cpSynced * ms, 1.2},
        {"save ms / (cp + fsync of the copy) ms", save * ms, cpSynced * ms, 0},
        {"save ms / cp ms", save * ms, cp * ms, 0},
        {"save without flush ms / cp ms", unflushed * ms, cp * ms, 0},
        {"modeltool list peak MB above baseline / file MB", (toolPeak - toolBaseline) * mb,
         fileBytes * mb, 1.05},
        {"load peak MB above baseline / file MB", (peak - baseline) * mb, fileBytes * mb, 1.05},
    });
    std::printf("\nhuge pages (/sys/kernel/mm/transparent_hugepage/enabled): %s\n",
                HugePageSetting().c_str());
    std::printf("fresh memory of the file's size, one fault per ordinary page: %.1f ms\n",
                fresh * ms);
    std::printf("flush to disk: %.0f%% of the save time\n",
                save > 0 ? 100 * std::max(0.0, save - unflushed) / save : 0);
    std::printf("peak of a load %.1f MB = %.2f x file + baseline %.1f MB\n", peak * mb,
                (peak - baseline) / fileBytes, baseline * mb);
    std::printf("peak of modeltool list %.1f MB = %.2f x file + baseline %.1f MB\n", toolPeak * mb,
                (toolPeak - toolBaseline) / fileBytes, toolBaseline * mb);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 3 && std::strcmp(argv[1], "--load") == 0)
            return LoadChild(argv[2]);
        if (argc == 3 && std::strcmp(argv[1], "--peak") == 0)
            return PeakChild(argv[2]);
        return RunBenchmark();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
