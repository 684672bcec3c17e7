#pragma once
// What the whole-process benchmarks share: a private folder, medians of repeated runs, running
// a reference program, and a database of many models with pictures.
#include "TestSupport.h"
#include "model/ModelRecord.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace mm::bench {

using Clock = std::chrono::steady_clock;

// A private folder that goes with everything in it; the tests use the same.
using TempFolder = test::TempDir;

template <typename Body> double Seconds(Body body) {
    const auto start = Clock::now();
    body();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median time of body over `runs` runs; prepare runs before each one, outside the clock.
template <typename Prepare, typename Body>
double MedianSeconds(int runs, Prepare prepare, Body body) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        times.push_back(Seconds(body));
    }
    return Median(times);
}

template <typename Body> double MedianSeconds(int runs, Body body) {
    return MedianSeconds(
        runs, [] {}, body);
}

// Runs a program found on PATH with its standard output sent to outputFile, without a shell
// between, so the reference time is the program's own; raises when it does not exit with 0.
// Returns the program's peak resident set in bytes.
inline double RunProgram(const std::vector<std::string>& args,
                         const std::string& outputFile = "/dev/null") {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {};
    if (spawned != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("running " + args[0] + " failed");
    return static_cast<double>(usage.ru_maxrss) * 1024;
}

// The peak resident set of this process so far, in bytes (VmHWM).
inline double PeakResidentBytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    long kilobytes = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kilobytes) == 1)
            break;
    std::fclose(status);
    return static_cast<double>(kilobytes) * 1024;
}

inline std::string SelfPath() {
    return std::filesystem::read_symlink("/proc/self/exe").string();
}

// A model that passes every store rule: `keys` keys with distinct serial numbers and key
// indexes ("USB for HID" has no limit of 112 on serial numbers), one page, the picture in
// front of an empty code region.
inline TMyModelRecord PictureModel(uint16_t id, int keys, const TSSByteArray& picture) {
    TMyModelRecord record;
    record.ModelID = id;
    record.ModelType.Assign("Model " + std::to_string(id));
    record.Remark.Assign("R" + std::to_string(id % 1000));
    record.CommType = 1;
    record.ChipKind = 1;
    record.KeyCount = static_cast<uint8_t>(keys);
    record.PageCount = 1;
    record.PageName[0].Assign("Page 1");
    for (int k = 0; k < keys; ++k) {
        TBtnInfo& key = record.BtnInfo[k];
        key.Name.Assign("Key " + std::to_string(k + 1));
        key.KNo = static_cast<uint8_t>(k + 1);
        key.KeyIdx = static_cast<uint16_t>(k + 1);
        key.FollowSno = 255;
    }
    record.Blob = picture;
    record.PicSize = static_cast<int32_t>(picture.size());
    record.BlobSize = record.PicSize;
    return record;
}

inline TMyModelRecords PictureDatabase(int count, int keys, const TSSByteArray& picture) {
    TMyModelRecords models;
    models.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        models.push_back(PictureModel(static_cast<uint16_t>(i + 1), keys, picture));
    return models;
}

} // namespace mm::bench
