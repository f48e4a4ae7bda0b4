// Compression and extraction figures for the LZH archiver, side by side with
// jlha (-lh5-) and gzip -6 when they are installed:
//
//   bench_archive [DATA-FILE] [benchmark flags]
//
// Without a data file it makes one of about 58 MB: with the sample-data
// tool when that has been built beside this program, else with its own
// generator of customer-like SQLite files. Prints figures; asserts nothing.
#include "SampleDatabase.h"
#include "Unlha.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Figures
{
    double seconds = 0;
    std::uintmax_t bytes = 0; // output size; 0 for extraction
};

struct Setup
{
    fs::path input;
    std::uintmax_t size = 0;
    fs::path work;
    std::map<std::string, Figures> results;
};

Setup setup;

std::string quote(const fs::path& p)
{
    std::string out = "'";
    for (const char c : p.string())
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool have(const char* program)
{
    return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

bool shell(const std::string& command)
{
    return std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0;
}

// Times one run of @p body, which returns the size of what it wrote
// (0 when that is not a figure of interest) or -1 on failure.
template <typename Body> void measure(benchmark::State& state, const std::string& name, Body body)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const long long written = body();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (written < 0) {
            state.SkipWithError((name + " failed").c_str());
            return;
        }
        state.SetIterationTime(seconds);
        setup.results[name] = {seconds, static_cast<std::uintmax_t>(written)};
        if (written > 0)
            state.counters["ratio"] = static_cast<double>(written) / static_cast<double>(setup.size);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(setup.size * state.iterations()));
}

long long fileSize(const fs::path& p)
{
    std::error_code error;
    const auto size = fs::file_size(p, error);
    return error ? -1 : static_cast<long long>(size);
}

std::string folderOf(const fs::path& p)
{
    return p.string() + "/";
}

void oursWrite(benchmark::State& state)
{
    measure(state, "ours -lh5- (write)", [] {
        fs::remove(setup.work / "ours.lzh");
        std::string report;
        const std::string line = "a -+ -a1 -d0 -f0 -n0 -jm4 \"" + (setup.work / "ours.lzh").string() +
                                 "\" \"" + folderOf(setup.work) + "\" \"" + folderOf(setup.work) +
                                 "\"\"data.mdb\"\"\"";
        return rov2::Unlha(line, report) == 0 ? fileSize(setup.work / "ours.lzh") : -1;
    });
}

void oursRead(benchmark::State& state)
{
    measure(state, "ours (extract)", [] {
        fs::remove_all(setup.work / "out");
        fs::create_directories(setup.work / "out");
        std::string report;
        const std::string line = "x -+ -a2 -d1 -f0 -n1 -jyc0 -jyd0 -jyk0 -jyn0 -jyo0 \"" +
                                 (setup.work / "ours.lzh").string() + "\" \"" + folderOf(setup.work / "out") +
                                 "\" \"*.*\"";
        return rov2::Unlha(line, report) == 0 ? 0LL : -1LL;
    });
}

void lhasaRead(benchmark::State& state)
{
    measure(state, "lhasa (extract ours)", [] {
        fs::remove_all(setup.work / "lhasa");
        fs::create_directories(setup.work / "lhasa");
        return shell("lhasa xfqw=" + quote(setup.work / "lhasa") + " " + quote(setup.work / "ours.lzh"))
                   ? 0LL
                   : -1LL;
    });
}

void jlhaWrite(benchmark::State& state)
{
    measure(state, "jlha c2o5q (write)", [] {
        fs::remove(setup.work / "jlha.lzh");
        return shell("cd " + quote(setup.work) + " && jlha c2o5q jlha.lzh data.mdb")
                   ? fileSize(setup.work / "jlha.lzh")
                   : -1;
    });
}

void gzipWrite(benchmark::State& state)
{
    measure(state, "gzip -6", [] {
        return shell("gzip -6 -c " + quote(setup.work / "data.mdb") + " > " + quote(setup.work / "data.gz"))
                   ? fileSize(setup.work / "data.gz")
                   : -1;
    });
}

} // namespace

namespace {

// The sample-data tool, when it has been built in this tree.
fs::path sampleTool()
{
    const fs::path tool = ROV2_SAMPLE_TOOL;
    if (fs::is_regular_file(tool) && ::access(tool.c_str(), X_OK) == 0)
        return tool;
    return {};
}

bool makeInput(const fs::path& file)
{
    if (const fs::path tool = sampleTool(); !tool.empty()) {
        std::printf("making the data file with %s (100,000 customers)\n", tool.c_str());
        if (shell(quote(tool) + " " + quote(file) + " 100000"))
            return true;
        std::printf("the sample-data tool failed; using the built-in generator\n");
    }
    std::string error;
    if (rov2::bench::SampleDatabase::build(file, 100000, error))
        return true;
    std::fprintf(stderr, "cannot make the data file: %s\n", error.c_str());
    return false;
}

bool prepare(int argc, char** argv)
{
    setup.work = fs::temp_directory_path() / ("rov2-bench-archive-" + std::to_string(::getpid()));
    fs::create_directories(setup.work);
    const fs::path data = setup.work / "data.mdb";
    if (argc > 1)
        fs::create_symlink(fs::absolute(argv[1]), data);
    else if (!makeInput(data))
        return false;
    setup.input = argc > 1 ? fs::path(argv[1]) : data;
    setup.size = fs::file_size(data);
    std::printf("data file: %s, %ju bytes\n", setup.input.c_str(), setup.size);
    return setup.size > 0;
}

void registerAll()
{
    const auto add = [](const char* name, void (*fn)(benchmark::State&)) {
        benchmark::RegisterBenchmark(name, fn)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    add("ours_write", oursWrite);
    add("ours_extract", oursRead);
    if (have("lhasa"))
        add("lhasa_extract", lhasaRead);
    if (have("jlha"))
        add("jlha_c2o5q", jlhaWrite);
    if (have("gzip"))
        add("gzip_6", gzipWrite);
}

void printSummary()
{
    std::printf("\n%-24s %14s %8s %10s\n", "", "size", "ratio", "MB/s");
    for (const auto& [name, f] : setup.results) {
        const double rate = static_cast<double>(setup.size) / 1e6 / f.seconds;
        if (f.bytes > 0)
            std::printf("%-24s %14ju %8.4f %10.1f\n", name.c_str(), f.bytes,
                        static_cast<double>(f.bytes) / static_cast<double>(setup.size), rate);
        else
            std::printf("%-24s %14s %8s %10.1f\n", name.c_str(), "", "", rate);
    }
    std::printf("(MB/s: megabytes of the original data per second, wall clock)\n");
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const bool ready = prepare(argc, argv);
    if (ready) {
        registerAll();
        benchmark::RunSpecifiedBenchmarks();
        printSummary();
    }
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(setup.work, ignored);
    return ready ? 0 : 1;
}
