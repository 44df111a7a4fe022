// Decoding and reporting cost per EDID, over the real samples of the tests,
// against a report built the usual way, with a classic-locale wide string
// stream per section. ReportOverStreamRatio prints, as its "ratio" counter,
// (decode + report) / (decode + stream report) measured in the same run.
#include "moniquet/decode.h"
#include "moniquet/report.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <locale>
#include <sstream>
#include <vector>

using namespace moniquet;

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

// ---- The baseline: one fresh classic-locale stream per section.

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

std::wostringstream ClassicStream() {
    std::wostringstream stream;
    stream.imbue(std::locale::classic());
    return stream;
}

std::wstring StreamVendorSection(const VendorId& vendor) {
    std::wostringstream out = ClassicStream();
    out << L"MONITEUR\r\nFabricant    : " << Wide(vendor.manufacturer) << L"\r\nCode produit : "
        << std::hex << std::uppercase << std::setw(4) << std::setfill(L'0') << vendor.productCode
        << L"\r\n";
    return out.str();
}

std::wstring StreamDescriptorLine(const DescriptorText& descriptor) {
    if (descriptor.kind != DescriptorKind::ProductName &&
        descriptor.kind != DescriptorKind::DataString) {
        return {};
    }
    std::wostringstream out = ClassicStream();
    out << (descriptor.kind == DescriptorKind::ProductName ? L"R\u00E9f\u00E9rence PN : "
                                                           : L"R\u00E9f\u00E9rence DS : ")
        << Wide(descriptor.text) << L"\r\n";
    return out.str();
}

std::wstring StreamTimingSection(const DetailedTiming& timing, int32_t number) {
    std::wostringstream out = ClassicStream();
    out << L"TIMING " << number << L"\r\nHorz Addressable Video   : " << timing.hAddressable
        << L" pixel(s)\r\nVert Addressable Video   : " << timing.vAddressable
        << L" line(s)\r\nHorz Image Size          : " << timing.hImageSizeMm
        << L" mm\r\nVert Image Size          : " << timing.vImageSizeMm << L" mm\r\n\r\n";
    return out.str();
}

std::wstring StreamMonitorReport(const EdidSummary& summary) {
    std::wstring report = StreamVendorSection(summary.vendor);
    for (uint32_t i = 0; i < std::min<uint32_t>(summary.descriptorCount, kDescriptorSlots); ++i) {
        report += StreamDescriptorLine(summary.descriptors[i]);
    }
    for (uint32_t i = 0; i < std::min<uint32_t>(summary.timingCount, kTimingSlots); ++i) {
        report += StreamTimingSection(summary.timings[i], static_cast<int32_t>(i + 1));
    }
    return report;
}

// ---- The two ways, each decoding every sample and building its report.

void DecodeAndReport(const std::vector<MonitorRecord>& samples, EdidSummary& summary) {
    for (const MonitorRecord& record : samples) {
        DecodeEdidBlock(record.rawBlock, summary);
        std::u16string report = FormatMonitorReport(summary);
        benchmark::DoNotOptimize(report);
    }
}

void DecodeAndStreamReport(const std::vector<MonitorRecord>& samples, EdidSummary& summary) {
    for (const MonitorRecord& record : samples) {
        DecodeEdidBlock(record.rawBlock, summary);
        std::wstring report = StreamMonitorReport(summary);
        benchmark::DoNotOptimize(report);
    }
}

// A baseline that built another text would make the comparison worthless.
bool BothWaysAgree(const std::vector<MonitorRecord>& samples) {
    for (const MonitorRecord& record : samples) {
        if (Wide(FormatMonitorReport(record.summary)) != StreamMonitorReport(record.summary)) {
            return false;
        }
    }
    return !samples.empty();
}

template <auto Run> void Measure(benchmark::State& state) {
    const std::vector<MonitorRecord> samples = LoadSamples();
    if (!BothWaysAgree(samples)) {
        state.SkipWithError("the stream report differs from the report");
        return;
    }
    EdidSummary summary;
    for (auto _ : state) {
        Run(samples, summary);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}

// Both ways in turn within each iteration, so that both see the same machine
// (frequency, other load); each is repeated enough for the clock's own cost
// not to count.
void ReportOverStreamRatio(benchmark::State& state) {
    constexpr int kRounds = 64;
    const std::vector<MonitorRecord> samples = LoadSamples();
    if (!BothWaysAgree(samples)) {
        state.SkipWithError("the stream report differs from the report");
        return;
    }
    using Clock = std::chrono::steady_clock;
    Clock::duration report{};
    Clock::duration stream{};
    EdidSummary summary;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kRounds; ++i) {
            DecodeAndReport(samples, summary);
        }
        const Clock::time_point middle = Clock::now();
        for (int i = 0; i < kRounds; ++i) {
            DecodeAndStreamReport(samples, summary);
        }
        report += middle - start;
        stream += Clock::now() - middle;
    }
    state.counters["ratio"] = std::chrono::duration<double>(report).count() /
                              std::chrono::duration<double>(stream).count();
}

BENCHMARK(Measure<DecodeAndReport>)->Name("BM_DecodeAndReport");
BENCHMARK(Measure<DecodeAndStreamReport>)->Name("BM_DecodeAndStreamReport");
BENCHMARK(ReportOverStreamRatio)->Unit(benchmark::kMillisecond);

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

} // namespace
