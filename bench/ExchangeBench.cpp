// The JSON export of a 10,000-model database and the brand list from a table of 2,000 brands
// and 200,000 code entries, each against writing the same number of bytes with one fwrite.
#include "model/JsonExport.h"
#include "model/uUniversalModel.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <zlib.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// The best of a few runs of one fopen, fwrite and fclose of that many bytes.
double FwriteSeconds(const std::string& path, size_t bytes) {
    const std::string data(bytes, 'x');
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(data.data(), 1, data.size(), file);
        std::fclose(file);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// Runs body once per iteration and gives its mean time.
template <typename Body> double MeanSeconds(benchmark::State& state, Body body) {
    double total = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        body();
        total += std::chrono::duration<double>(Clock::now() - start).count();
        ++runs;
    }
    return runs ? total / static_cast<double>(runs) : 0;
}

// The mean time as a ratio to one fwrite of that many bytes to the same file.
void ReportAgainstFwrite(benchmark::State& state, const char* counter, double seconds,
                         const std::string& path, size_t bytes) {
    state.counters[counter] = seconds / FwriteSeconds(path, bytes);
    state.counters[std::string("bytes_") + counter] = static_cast<double>(bytes);
}

const mm::TMyModelRecords& Database() {
    static const mm::TMyModelRecords models = [] {
        mm::TMyModelRecords all(10000);
        for (size_t i = 0; i < all.size(); ++i) {
            mm::TMyModelRecord& m = all[i];
            m.ModelID = static_cast<uint16_t>(i);
            m.ModelType.Assign("Model " + std::to_string(i));
            m.ChipKind = 5;
            m.PageCount = 4;
            for (int p = 0; p < 4; ++p)
                m.PageName[p].Assign("Page " + std::to_string(p));
            m.HasShift = 1;
            m.KeyCount = 40;
            for (int k = 0; k < 40; ++k) {
                m.BtnInfo[k].Name.Assign("Key " + std::to_string(k));
                m.BtnInfo[k].KNo = static_cast<uint8_t>(k + 1);
                m.BtnInfo[k].KeyIdx = static_cast<uint16_t>(k + 1);
                m.BtnInfo[k].FollowSno = 255;
            }
        }
        return all;
    }();
    return models;
}

void BM_JsonExport(benchmark::State& state) {
    const std::string path = TempPath("mm-bench-json.txt");
    const double seconds = MeanSeconds(state, [&] { mm::SaveJsonExport(path, Database()); });
    ReportAgainstFwrite(state, "vs_fwrite", seconds, path, mm::JsonExportText(Database()).size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_JsonExport)->Unit(benchmark::kMillisecond);

struct BrandFixture {
    mm::TMDFYFile table;
    mm::TStrArray lines; // the model's "Universal Code" page
};

const BrandFixture& Brands() {
    static const BrandFixture fixture = [] {
        BrandFixture f;
        std::mt19937 random(6);
        f.table.BrandList.resize(2000);
        for (size_t b = 0; b < f.table.BrandList.size(); ++b)
            f.table.BrandList[b].BrandName.Assign("Brand " + std::to_string(b));
        f.table.CodeList.resize(200000);
        for (size_t c = 0; c < f.table.CodeList.size(); ++c) {
            f.table.CodeList[c].BrandIdx = static_cast<int32_t>(c / 100);
            f.table.CodeList[c].CodeNo = static_cast<uint16_t>(random() % 5000);
        }
        for (int code = 0; code < 1000; ++code)
            f.lines.push_back(std::to_string(code) + "=" + std::to_string(code % 400));
        return f;
    }();
    return fixture;
}

// The payload of the brand table of the fixture: header, brands and code entries.
const std::string& InflatedTable() {
    static const std::string payload = [] {
        const BrandFixture& f = Brands();
        std::string bytes(20, '\0');
        const auto put = [&](size_t at, int32_t value) {
            std::memcpy(bytes.data() + at, &value, 4);
        };
        put(8, static_cast<int32_t>(f.table.BrandList.size()));
        put(12, static_cast<int32_t>(f.table.CodeList.size()));
        bytes.append(reinterpret_cast<const char*>(f.table.BrandList.data()),
                     f.table.BrandList.size() * sizeof(mm::TBrandEntry));
        bytes.append(reinterpret_cast<const char*>(f.table.CodeList.data()),
                     f.table.CodeList.size() * sizeof(mm::TCodeEntry));
        put(16, static_cast<int32_t>(bytes.size()));
        return bytes;
    }();
    return payload;
}

// The brand list is a few hundred kilobytes drawn from 11 MB of code entries: it is reported
// against writing its own bytes and against writing the table's inflated bytes.
void BM_BrandList(benchmark::State& state) {
    const std::string path = TempPath("mm-bench-brands.txt");
    const BrandFixture& f = Brands();
    const double seconds = MeanSeconds(
        state, [&] { mm::SaveBrandList(path, f.table, mm::CodeMapFromLines(f.lines)); });
    const size_t listBytes = mm::BrandListText(f.table, mm::CodeMapFromLines(f.lines)).size();
    ReportAgainstFwrite(state, "vs_fwrite", seconds, path, listBytes);
    ReportAgainstFwrite(state, "vs_fwrite_table", seconds, path, InflatedTable().size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_BrandList)->Unit(benchmark::kMillisecond);

// Reading the table itself, against writing its inflated bytes.
void BM_ReadBrandFile(benchmark::State& state) {
    const std::string& payload = InflatedTable();
    uLongf length = compressBound(static_cast<uLong>(payload.size()));
    std::string deflated(length, '\0');
    compress(reinterpret_cast<Bytef*>(deflated.data()), &length,
             reinterpret_cast<const Bytef*>(payload.data()), static_cast<uLong>(payload.size()));
    deflated.resize(length);
    const std::string table = TempPath("mm-bench-remote.db");
    std::FILE* file = std::fopen(table.c_str(), "wb");
    std::fwrite(deflated.data(), 1, deflated.size(), file);
    std::fclose(file);
    mm::TMDFYFile read;
    const double seconds =
        MeanSeconds(state, [&] { benchmark::DoNotOptimize(mm::ReadBrandFile(table, read)); });
    const std::string path = TempPath("mm-bench-inflated.bin");
    ReportAgainstFwrite(state, "vs_fwrite", seconds, path, payload.size());
    std::filesystem::remove(path);
    std::filesystem::remove(table);
}
BENCHMARK(BM_ReadBrandFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
