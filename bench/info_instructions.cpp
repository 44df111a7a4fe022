// A fixed amount of `info --json` work for callgrind, whose instruction
// counts do not move with the machine's load as timings do:
//
//   valgrind --tool=callgrind --toggle-collect='*InfoJsonOnce*'
//       info_instructions ITERATIONS FILE...
//
// counts only the decoding and the JSON of the files, ITERATIONS times over;
// divide the total by ITERATIONS times the number of files. The first pass
// is in the count too (the one-time set-up of tables it pays), which is why
// a count is taken over many.
#include "cli/info_json.h"
#include "moniquet/edid_info.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace moniquet;

namespace {

std::vector<uint8_t> ReadBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What one EDID costs, kept out of line so that callgrind can count it apart
// from the start-up and the reading of the files.
[[gnu::noinline]] std::size_t InfoJsonOnce(const std::vector<uint8_t>& edid) {
    return FormatInfoJson(DecodeEdidInfo(edid)).size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: info_instructions ITERATIONS FILE...\n");
        return 2;
    }
    const long iterations = std::strtol(argv[1], nullptr, 10);
    std::vector<std::vector<uint8_t>> edids;
    for (int i = 2; i < argc; ++i) {
        edids.push_back(ReadBytes(argv[i]));
    }
    std::size_t bytes = 0;
    for (long i = 0; i < iterations; ++i) {
        for (const std::vector<uint8_t>& edid : edids) {
            bytes += InfoJsonOnce(edid);
        }
    }
    // The sum keeps the work from being optimised away, and tells a reader
    // that every pass wrote the same text.
    std::printf("%zu bytes of JSON\n", bytes);
    return 0;
}
