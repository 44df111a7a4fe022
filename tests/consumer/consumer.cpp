// A program of someone else's, built against the installed library alone:
// decodes the EDID file it is given and prints what a settings tool would,
// or with --json what `moniquet-cli info --json` prints.
#include <moniquet/json.h>
#include <moniquet/moniquet.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const bool json = argc == 3 && std::string(argv[1]) == "--json";
    if (argc != 2 && !json) {
        std::fprintf(stderr, "usage: consumer [--json] EDID-FILE\n");
        return 2;
    }
    std::ifstream in(argv[argc - 1], std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    const moniquet::Result<moniquet::EdidInfo> edid = moniquet::Decode(bytes);
    if (!edid) {
        std::fprintf(stderr, "consumer: %s\n", edid.error().message.c_str());
        return 1;
    }
    const moniquet::EdidInfo& info = edid.value();
    if (json) {
        std::fputs(moniquet::FormatInfoJson(info).c_str(), stdout);
        return 0;
    }
    const std::u16string name = info.productName.value_or(u"");
    std::printf("product: %s\n", std::string(name.begin(), name.end()).c_str());
    for (const moniquet::ModeInfo& mode : info.modes) {
        if (mode.preferred) {
            std::printf("preferred: %ux%u\n", mode.width, mode.height);
        }
    }
    std::printf("diagnostics: %zu\n", info.diagnostics.size());
    return 0;
}
