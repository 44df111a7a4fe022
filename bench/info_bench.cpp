// `info --json` cost per EDID: the whole-EDID decoder and the JSON text,
// over the real samples of the tests (128 to 512 bytes), over a 256-byte
// sample alone, and over the richest one (384 bytes: CTA-861 data blocks and
// a DisplayID section). Aims: 5 and 10 microseconds. Over the 401 EDIDs of
// the corpus, the decoder alone and with the line `info --json FILE...`
// writes; and the command itself over the corpus's files against edid-decode
// run once per file, as a ratio (bench/batch-rate times both more carefully,
// over several passes).
#include "cli/info_json.h"
#include "moniquet/edid_info.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

using namespace moniquet;

namespace {

const std::string kSamples = std::string(MONIQUET_TEST_DATA) + "/edid";

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::vector<uint8_t>> AllSamples() {
    std::vector<std::vector<uint8_t>> samples;
    for (const auto& entry : std::filesystem::directory_iterator(kSamples)) {
        if (entry.path().extension() == ".bin") {
            samples.push_back(ReadBytes(entry.path()));
        }
    }
    return samples;
}

void Run(benchmark::State& state, const std::vector<std::vector<uint8_t>>& samples, bool withJson) {
    for (auto _ : state) {
        for (const std::vector<uint8_t>& edid : samples) {
            const EdidInfo info = DecodeEdidInfo(edid);
            if (withJson) {
                std::string json = FormatInfoJson(info);
                benchmark::DoNotOptimize(json);
            } else {
                benchmark::DoNotOptimize(info);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}

void BM_InfoJsonAllSamples(benchmark::State& state) {
    Run(state, AllSamples(), true);
}
BENCHMARK(BM_InfoJsonAllSamples);

void BM_InfoJson256Bytes(benchmark::State& state) {
    Run(state, {ReadBytes(kSamples + "/at-tv0001-at-maker.bin")}, true);
}
BENCHMARK(BM_InfoJson256Bytes);

void BM_InfoJson384BytesRichest(benchmark::State& state) {
    Run(state, {ReadBytes(kSamples + "/gbt3213-cta-displayid.bin")}, true);
}
BENCHMARK(BM_InfoJson384BytesRichest);

// What the checks add to the decoding of the 256-byte sample: the walk with
// them, then without; the difference is their cost (reports and the checks
// that are more than a comparison).
void BM_Decode256BytesWithChecks(benchmark::State& state) {
    const std::vector<uint8_t> edid = ReadBytes(kSamples + "/at-tv0001-at-maker.bin");
    for (auto _ : state) {
        EdidInfo info = DecodeEdidInfo(edid);
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(BM_Decode256BytesWithChecks);

void BM_Decode256BytesWithoutChecks(benchmark::State& state) {
    const std::vector<uint8_t> edid = ReadBytes(kSamples + "/at-tv0001-at-maker.bin");
    for (auto _ : state) {
        EdidInfo info = DecodeEdidInfo(edid, kDecodeWithoutChecks);
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(BM_Decode256BytesWithoutChecks);

// The checks' cost itself, printed as a counter: batches of the 256-byte
// sample decoded with and without them, alternately, so that a change of the
// machine's pace weighs on both alike. A difference below 0 is noise the
// batches could not tell from the cost: the counter `below_zero` says so, and
// the figure is then no measurement.
void BM_ChecksCost256Bytes(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    constexpr int kBatch = 64;
    const std::vector<uint8_t> edid = ReadBytes(kSamples + "/at-tv0001-at-maker.bin");
    Clock::duration with{}, without{};
    int64_t batches = 0;
    const auto time = [&edid](DecodeOptions options) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kBatch; ++i) {
            EdidInfo info = DecodeEdidInfo(edid, options);
            benchmark::DoNotOptimize(info);
        }
        return Clock::now() - start;
    };
    for (auto _ : state) {
        with += time(DecodeOptions{});
        without += time(kDecodeWithoutChecks);
        ++batches;
    }
    const double perEdid = static_cast<double>(kBatch * batches);
    const double withNs = std::chrono::duration<double, std::nano>(with).count() / perEdid;
    const double withoutNs = std::chrono::duration<double, std::nano>(without).count() / perEdid;
    state.counters["with_ns"] = withNs;
    state.counters["without_ns"] = withoutNs;
    state.counters["checks_ns"] = withNs - withoutNs;
    state.counters["below_zero"] = withNs < withoutNs ? 1 : 0;
}
BENCHMARK(BM_ChecksCost256Bytes);

// The same for a sample with a DisplayID section (and a CTA-861 block), whose
// data blocks and timings the DisplayID checks read.
void BM_DecodeDisplayIdWithChecks(benchmark::State& state) {
    const std::vector<uint8_t> edid = ReadBytes(kSamples + "/gbt3213-cta-displayid.bin");
    for (auto _ : state) {
        EdidInfo info = DecodeEdidInfo(edid);
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(BM_DecodeDisplayIdWithChecks);

void BM_DecodeDisplayIdWithoutChecks(benchmark::State& state) {
    const std::vector<uint8_t> edid = ReadBytes(kSamples + "/gbt3213-cta-displayid.bin");
    for (auto _ : state) {
        EdidInfo info = DecodeEdidInfo(edid, kDecodeWithoutChecks);
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(BM_DecodeDisplayIdWithoutChecks);

void BM_DecodeOnlyAllSamples(benchmark::State& state) {
    Run(state, AllSamples(), false);
}
BENCHMARK(BM_DecodeOnlyAllSamples);

// The 401 EDIDs of the corpus (tests/data/corpus/edid-samples.tsv), as hex.
std::vector<std::vector<uint8_t>> Corpus() {
    std::vector<std::vector<uint8_t>> edids;
    std::ifstream in(std::string(MONIQUET_TEST_DATA) + "/corpus/edid-samples.tsv");
    for (std::string line; std::getline(in, line);) {
        const std::string hex = line.substr(line.rfind('\t') + 1);
        std::vector<uint8_t>& edid = edids.emplace_back();
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
            edid.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        }
    }
    return edids;
}

// What `info --json --check FILE...` does for each file once it is read:
// the decoder with the checks and the line of JSON Lines, in a writer that
// keeps its room from EDID to EDID, as the command's does. Without the
// JSON, the decoder's share.
void RunCorpus(benchmark::State& state, bool withJson) {
    const std::vector<std::vector<uint8_t>> edids = Corpus();
    const std::string file = "corpus.bin";
    JsonWriter w;
    w.compact = true;
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const std::vector<uint8_t>& edid : edids) {
            const EdidInfo info = DecodeEdidInfo(edid);
            if (withJson) {
                WriteInfoJsonLine(w, file, info);
                bytes += w.used;
                JsonClear(w);
            } else {
                benchmark::DoNotOptimize(info);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(edids.size()));
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void BM_CorpusDecode(benchmark::State& state) {
    RunCorpus(state, false);
}
BENCHMARK(BM_CorpusDecode);

void BM_CorpusDecodeAndJsonLine(benchmark::State& state) {
    RunCorpus(state, true);
}
BENCHMARK(BM_CorpusDecodeAndJsonLine);

// One run of `args` with its standard output to `output` and its standard
// error to /dev/null: its exit status (-1 when it did not exit of itself),
// wall seconds and processor seconds (user and system).
struct Spawned {
    int status = -1;
    double wall = 0;
    double cpu = 0;
};

Spawned Spawn(const std::vector<std::string>& args, const std::string& output) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Spawned run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
            run.status = WEXITSTATUS(status);
        }
        run.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    }
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// The lines of the file at `path`, and of them those of a file that gave no
// EDID: {"file": ..., "error": ...}, a key no line of an EDID has.
std::pair<std::size_t, std::size_t> LinesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::size_t lines = 0, errors = 0;
    for (std::string line; std::getline(in, line); ++lines) {
        errors += line.find("\"error\":") != std::string::npos ? 1 : 0;
    }
    return {lines, errors};
}

// The batch ratio: `moniquet-cli info --json --check FILE...`, one process
// over the corpus's 401 files given kRepeat times over, against edid-decode
// run once per file over the first kTheirFiles of them, alternately in each
// iteration so that both see the same machine. Counters: EDIDs a wall second
// of each and their ratio, and the ratio a processor second. An iteration is
// no measurement, and the run ends with an error, when a run failed, when our
// output is not one line per file or holds an error line, or when our rate
// is one the machine cannot reach (less time an EDID than the three system
// calls reading its file).
void BM_BatchRatioToEdidDecode(benchmark::State& state) {
    constexpr int kRepeat = 10;
    constexpr std::size_t kTheirFiles = 100;
    constexpr double kMaxEdidsPerSecond = 2e6;
    if (access(MONIQUET_EDID_DECODE, X_OK) != 0) {
        state.SkipWithError("edid-decode not found: no ratio");
        return;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("info_bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::vector<std::string> files;
    for (const std::vector<uint8_t>& edid : Corpus()) {
        files.push_back((folder / (std::to_string(files.size()) + ".bin")).string());
        std::ofstream(files.back(), std::ios::binary)
            .write(reinterpret_cast<const char*>(edid.data()),
                   static_cast<std::streamsize>(edid.size()));
    }
    std::vector<std::string> ours = {MONIQUET_CLI, "info", "--json", "--check"};
    for (int i = 0; i < kRepeat; ++i) {
        ours.insert(ours.end(), files.begin(), files.end());
    }
    const std::size_t ourEdids = files.size() * kRepeat;
    const std::size_t theirEdids = std::min(kTheirFiles, files.size());
    const std::string output = (folder / "out").string();
    double ourWall = 0, ourCpu = 0, theirWall = 0, theirCpu = 0;
    std::string fault;
    for (auto _ : state) {
        const Spawned mine = Spawn(ours, output);
        // 1 is the status of a failed check, which the corpus holds.
        if (mine.status != 0 && mine.status != 1) {
            fault = "moniquet-cli exited with " + std::to_string(mine.status);
        } else if (const auto [lines, errors] = LinesOf(output); lines != ourEdids || errors != 0) {
            fault = "moniquet-cli wrote " + std::to_string(lines) + " lines, " +
                    std::to_string(errors) + " of them errors, for " + std::to_string(ourEdids) +
                    " files";
        } else if (static_cast<double>(ourEdids) / std::min(mine.wall, mine.cpu) >
                   kMaxEdidsPerSecond) {
            fault = "moniquet-cli faster than reading the files allows";
        }
        for (std::size_t i = 0; i < theirEdids && fault.empty(); ++i) {
            const Spawned theirs = Spawn({MONIQUET_EDID_DECODE, files[i]}, output);
            if (theirs.status != 0 && theirs.status != 1) {
                fault = "edid-decode exited with " + std::to_string(theirs.status);
            }
            theirWall += theirs.wall;
            theirCpu += theirs.cpu;
        }
        if (!fault.empty()) {
            break;
        }
        ourWall += mine.wall;
        ourCpu += mine.cpu;
    }
    std::filesystem::remove_all(folder);
    if (!fault.empty()) {
        state.SkipWithError(fault.c_str());
        return;
    }
    const double runs = static_cast<double>(state.iterations());
    const double ourRate = runs * static_cast<double>(ourEdids) / ourWall;
    const double theirRate = runs * static_cast<double>(theirEdids) / theirWall;
    state.counters["ours_edids_per_s"] = ourRate;
    state.counters["edid_decode_per_s"] = theirRate;
    state.counters["ratio"] = ourRate / theirRate;
    state.counters["ratio_cpu"] =
        (static_cast<double>(ourEdids) / ourCpu) / (static_cast<double>(theirEdids) / theirCpu);
}
BENCHMARK(BM_BatchRatioToEdidDecode)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
