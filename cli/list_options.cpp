#include "cli/list_options.h"

namespace moniquet {

std::optional<ListOptions> ParseListOptions(const Arguments& args) {
    bool json = false;
    bool facts = false;
    bool prometheus = false;
    ListOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool* flag = arg == "--json"         ? &json
                     : arg == "--facts"      ? &facts
                     : arg == "--prometheus" ? &prometheus
                                             : nullptr;
        if (flag != nullptr && !*flag) {
            *flag = true;
        } else if (arg == "--output" && !options.output && i + 1 < args.size()) {
            options.output = args[++i];
        } else {
            return std::nullopt;
        }
    }
    if ((facts && !json) || (json && prometheus)) {
        return std::nullopt;
    }
    options.format = prometheus ? ListFormat::Prometheus
                     : facts    ? ListFormat::Facts
                     : json     ? ListFormat::Json
                                : ListFormat::Text;
    return options;
}

} // namespace moniquet
