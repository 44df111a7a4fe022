// Decoding and reporting cost per EDID, over the real samples of the tests.
#include "edid/decode.h"
#include "edid/report.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<MonitorRecord> LoadSamples() {
    std::vector<MonitorRecord> records;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(MONIQUET_TEST_DATA) + "/edid")) {
        if (entry.path().extension() != ".bin") {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>()};
        records.push_back(DecodeMonitorRecord(
            std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())));
    }
    return records;
}

void BM_Decode(benchmark::State& state) {
    const std::vector<MonitorRecord> samples = LoadSamples();
    EdidSummary summary;
    for (auto _ : state) {
        for (const MonitorRecord& record : samples) {
            DecodeEdidBlock(record.rawBlock, summary);
            benchmark::DoNotOptimize(summary);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}
BENCHMARK(BM_Decode);

void BM_DecodeAndReport(benchmark::State& state) {
    const std::vector<MonitorRecord> samples = LoadSamples();
    EdidSummary summary;
    for (auto _ : state) {
        for (const MonitorRecord& record : samples) {
            DecodeEdidBlock(record.rawBlock, summary);
            std::u16string report = FormatMonitorReport(summary);
            benchmark::DoNotOptimize(report);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}
BENCHMARK(BM_DecodeAndReport);

} // namespace
