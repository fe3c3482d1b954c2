// Saving and reading a settings file whose create-from-strings Include list
// holds 100,000 items (about 532 MB of records), against bare system calls
// moving the same number of bytes in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kItems = 100000;

// A temporary folder mapped as drive B: with a store of 100,000 items.
struct Fixture {
    Fixture() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qmsettingsbench-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        native = tmpl;
        plat::MapDrive('B', native);
        ResetSettingsToInitialValues();
        SetValuesOfEveryStart("B:\\");
        FillFirstStartDefaults();
        for (int i = 0; i < kItems; ++i)
            AddToVol02IncludeStrings("Client " + std::to_string(100000 + i) + "\\Project Folder");
        if (!SaveClass("").Save()) std::abort();
        // The bare loops write these very bytes.
        std::ifstream in(native + "/default.set", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        fileSize = bytes.size();
    }
    ~Fixture() {
        plat::UnmapDrive('B');
        std::filesystem::remove_all(native);
    }
    std::string native;
    std::string bytes;
    std::uintmax_t fileSize = 0;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_SaveSettings(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        SaveClass save("");
        if (!save.Save()) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.fileSize));
}

// The same bytes in the writer's 1 MB chunks with write(2), then fsync and
// rename, as a whole-or-nothing save must do.
void BM_BareWriteSameBytes(benchmark::State& state) {
    Fixture& f = Shared();
    constexpr std::size_t kChunk = 1 << 20;
    const std::string temp = f.native + "/bare.tmp", target = f.native + "/bare.set";
    for (auto _ : state) {
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (std::size_t at = 0; at < f.bytes.size(); at += kChunk) {
            const std::size_t n = std::min(kChunk, f.bytes.size() - at);
            if (write(fd, f.bytes.data() + at, n) != static_cast<ssize_t>(n)) state.SkipWithError("write failed");
        }
        fsync(fd);
        close(fd);
        rename(temp.c_str(), target.c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.fileSize));
}

// One fwrite per record, no fsync: the cheapest way to put the bytes down.
void BM_BareFwriteNoSync(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string target = f.native + "/fwrite.set";
    for (auto _ : state) {
        FILE* out = std::fopen(target.c_str(), "wb");
        for (std::size_t at = 0; at < f.bytes.size(); at += kSettingsRecordSize)
            std::fwrite(f.bytes.data() + at, 1, kSettingsRecordSize, out);
        std::fclose(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.fileSize));
}

void BM_RestoreSettings(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        RestoreClass restore("B:\\default.set");
        restore.ClearLists();
        restore.Restore();
        if (GetVol02IncludeStrings().size() != kItems) state.SkipWithError("read back wrong");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.fileSize));
}

// The same file read with read(2) in 256 KB chunks, nothing applied.
void BM_BareReadSameBytes(benchmark::State& state) {
    Fixture& f = Shared();
    std::vector<char> chunk(1 << 18);
    const std::string path = f.native + "/default.set";
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_RDONLY);
        std::uintmax_t total = 0;
        for (ssize_t n; (n = read(fd, chunk.data(), chunk.size())) > 0;) total += static_cast<std::uintmax_t>(n);
        close(fd);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.fileSize));
}

}  // namespace

BENCHMARK(BM_BareWriteSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_BareFwriteNoSync)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_RestoreSettings)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_BareReadSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
