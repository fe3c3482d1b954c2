// Importing a 100,000-line file into an Include list (parser plus duplicate
// removal against the Include and Exclude lists) against a bare getline loop
// reading the same file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/ImportClass.h"
#include "core/ListPresence.h"
#include "platform/FileSystem.h"

namespace {

struct ImportFiles {
    std::string plainNative, csvNative;  // Linux paths
    std::string plain, csv;              // drive form
    StringList include, exclude;         // what the page lists hold already

    explicit ImportFiles(std::size_t lines) {
        plainNative = Make("qm-import-plain-XXXXXX");
        csvNative = Make("qm-import-csv-XXXXXX");
        std::ofstream p(plainNative, std::ios::binary), c(csvNative, std::ios::binary);
        for (std::size_t i = 0; i < lines; ++i) {
            // Every tenth line repeats an earlier one in other letter case.
            const std::size_t n = i % 10 == 9 ? i - 5 : i;
            const std::string path = (i % 10 == 9 ? "c:\\projects\\client " : "C:\\Projects\\Client ") +
                                     std::to_string(n) + "\\Job " + std::to_string(n * 7);
            p << "  " << path << " \r\n";
            c << n << ",\"Client " << n << ", Ltd\",\"" << path << "\",,note\r\n";
        }
        for (std::size_t i = 0; i < lines / 2; i += 2)
            include.push_back("C:\\Projects\\Client " + std::to_string(i) + "\\Job " + std::to_string(i * 7));
        for (std::size_t i = 1; i < lines / 2; i += 4)
            exclude.push_back("C:\\Projects\\Client " + std::to_string(i) + "\\Job " + std::to_string(i * 7));
        plat::FromNative(plainNative, plain);
        plat::FromNative(csvNative, csv);
    }
    ~ImportFiles() {
        std::remove(plainNative.c_str());
        std::remove(csvNative.c_str());
    }
    static std::string Make(const char* name) {
        std::string path = std::string(P_tmpdir) + "/" + name;
        const int fd = mkstemp(path.data());
        if (fd >= 0) close(fd);
        return path;
    }
};

ImportFiles& Files() {
    static ImportFiles files(100000);
    return files;
}

void BM_BareGetline(benchmark::State& state) {
    const auto& files = Files();
    const std::string& path = state.range(0) == 0 ? files.plainNative : files.csvNative;
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) lines.push_back(line);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_BareGetline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Arg 0: plain lines; arg 1: the path column of a quoted CSV file.
void BM_ImportIntoIncludeList(benchmark::State& state) {
    const auto& files = Files();
    std::size_t appended = 0;
    for (auto _ : state) {
        const bool csv = state.range(0) == 1;
        ImportClass parser(
            {csv ? files.csv : files.plain, csv ? kImportOneColumn : kImportPlainLines, ",", "\"", true});
        if (csv) parser.SetColumn(3);
        parser.Import();
        StringList include = files.include;
        appended =
            AppendNewLines(include, files.exclude, parser.GetList(), [](std::string& line) { return !line.empty(); });
        benchmark::DoNotOptimize(include.size());
    }
    state.counters["appended"] = static_cast<double>(appended);
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ImportIntoIncludeList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
