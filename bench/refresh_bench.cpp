// RefreshMonitorList against a plain copy of the same records. The merge
// searches the list from its start for every candidate, so with n models
// that are all new it makes n(n-1)/2 vendor comparisons.
#include "inventory/monitor_list.h"
#include "moniquet/decode.h"

#include <benchmark/benchmark.h>

#include <array>

using namespace moniquet;

namespace {

// `count` records of one maker and as many product codes, each decoded from
// a block with a product name, as the scan would make them.
std::vector<MonitorRecord> DistinctModels(std::size_t count) {
    std::vector<MonitorRecord> records(count);
    for (std::size_t i = 0; i < count; ++i) {
        MonitorRecord& record = records[i];
        std::array<uint8_t, kEdidBlockSize>& block = record.rawBlock;
        block[8] = 0x04; // "ABC"
        block[9] = 0x43;
        block[10] = static_cast<uint8_t>(i);
        block[11] = static_cast<uint8_t>(i >> 8);
        block[54] = 0x01; // a timing, then a product name
        block[75] = 0xFC;
        for (std::size_t k = 0; k < 13; ++k) {
            block[77 + k] = static_cast<uint8_t>('A' + k);
        }
        DecodeEdidBlock(block, record.summary);
    }
    return records;
}

// No monitor present; the all-devices pass finds every model once, so every
// candidate is compared with every record listed before it and appended.
void RefreshDistinctModels(benchmark::State& state) {
    const std::vector<MonitorRecord> records = DistinctModels(state.range(0));
    const ScanOperation scan = [&records](MonitorList& list, uint32_t flags) {
        list.clear();
        if (flags == kScanAllClasses) {
            list = records;
        }
        return static_cast<int32_t>(list.size());
    };
    for (auto _ : state) {
        benchmark::DoNotOptimize(RefreshMonitorList(scan));
    }
    if (g_monitors.size() != records.size()) {
        state.SkipWithError("the merge dropped a distinct model");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void CopyRecords(benchmark::State& state) {
    const std::vector<MonitorRecord> records = DistinctModels(state.range(0));
    for (auto _ : state) {
        MonitorList copy = records;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(RefreshDistinctModels)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyRecords)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
