// `info --json` cost per EDID: the whole-EDID decoder and the JSON text,
// over the real samples of the tests (128 to 512 bytes), over a 256-byte
// sample alone, and over the richest one (384 bytes: CTA-861 data blocks and
// a DisplayID section). Aims: 5 and 10 microseconds. Over the 401 EDIDs of
// the corpus, the decoder alone and with the line `info --json FILE...`
// writes (bench/batch-rate times the command itself).
#include "cli/info_json.h"
#include "moniquet/edid_info.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

} // namespace
