#include "cli/usage.h"

#include "cli/output.h"

#include <algorithm>

namespace moniquet {

namespace {

struct CommandHelp {
    std::string_view name;
    // Each usage line after the program's name, with what it does.
    std::initializer_list<std::pair<std::string_view, std::string_view>> forms;
    // What COMMAND --help adds below the usage lines.
    std::string_view details;
};

constexpr std::string_view kInputForms =
    "FILE holds an EDID as bytes, or as hex text (from xrandr --verbose, xxd -p,\n"
    "edid-decode, a C array, an Xorg.0.log, a QuantumData XML file); - reads\n"
    "standard input. Bytes that do not start with the EDID header are decoded as\n"
    "they are, with a warning.\n";

const CommandHelp kCommands[] = {
    {"report",
     {{"report FILE", "print the report of the EDID in FILE (- for stdin)"}},
     "Prints the report the dialog program shows for that EDID, decoded from its\n"
     "first 256 bytes.\n"},
    {"label",
     {{"label FILE", "print its label"}},
     "Prints the label the dialog program lists for that EDID: the maker's three\n"
     "letters and the product code in four hex digits, e.g. AOC2367.\n"},
    {"info",
     {{"info [--json] [--check] FILE...", "print everything the EDID says (--json: as JSON)"}},
     "Decodes every block of the EDID: maker and model, serial number, date,\n"
     "validity of each block, features, colour, every timing, range limits,\n"
     "CTA-861 data blocks, DisplayID sections, and one list of every mode.\n"
     "Several files are decoded in turn, each under a \"==> FILE <==\" heading; one\n"
     "that cannot be read is reported, the others are still decoded, and the\n"
     "exit status is 1.\n"
     "  --json   print one JSON object instead of text; for several files one\n"
     "           line each (JSON Lines), with \"file\" first, or {\"file\", \"error\"}\n"
     "  --check  show the conformity checks too, and exit 1 when one fails\n"},
    {"list",
     {{"list [--json]", "list the monitors of this machine (--json: as JSON)"},
      {"list --json --facts", "the same JSON inside an object, for Ansible's custom facts"},
      {"list --prometheus", "the same as metrics for Prometheus's textfile collectors"}},
     "Prints one line per monitor: index, label, active or not active, and where\n"
     "it was found (connector or device instance), separated by tabs. Monitors\n"
     "present now come first.\n"
     "  --json          print a JSON array with each monitor's whole EDID and info\n"
     "  --facts         with --json: that array in an object, for Ansible\n"
     "  --prometheus    print metrics in Prometheus's text format\n"
     "  --output PATH   replace the file at PATH whole instead of printing\n"},
    {"save",
     {{"save INDEX FILE", "write monitor INDEX's whole EDID, every block as read, to FILE"},
      {"save --all DIR", "write every monitor's whole EDID to DIR/INDEX-LABEL.bin"}},
     "INDEX is a monitor's index as list shows it. An existing file is replaced\n"
     "whole, only once the new one is written; an interrupted save leaves no\n"
     "temporary file.\n"
     "  --all   save every listed monitor into the existing folder DIR and print\n"
     "          each path written\n"},
};

const CommandHelp* FindCommand(std::string_view name) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [name](const CommandHelp& c) { return c.name == name; });
    return found == std::end(kCommands) ? nullptr : found;
}

// "usage: moniquet-cli FORM    WHAT", the next lines indented to match.
void AppendUsageLine(std::string& text, std::string_view form, std::string_view what) {
    // Appended piece by piece: g++ 12 at -O2 sees false overlaps in
    // `const char* + std::string&&` and stops a -Werror build.
    std::string line = text.empty() ? "usage: " : "       ";
    line += kProgramName;
    line += ' ';
    line += form;
    if (!what.empty()) {
        line.resize(std::max<std::size_t>(line.size() + 2, 40), ' ');
        line += what;
    }
    text += line + "\n";
}

} // namespace

std::string UsageText() {
    std::string text;
    for (const CommandHelp& command : kCommands) {
        for (const auto& [form, what] : command.forms) {
            AppendUsageLine(text, form, what);
        }
    }
    AppendUsageLine(text, "COMMAND --help", "print the usage of COMMAND");
    AppendUsageLine(text, "--help | --version", "");
    return text + std::string(kInputForms) +
           "Exit status: 0 done, 1 failed, 2 wrong command line.\n";
}

std::string CommandUsageText(std::string_view name) {
    const CommandHelp* command = FindCommand(name);
    if (command == nullptr) {
        return {};
    }
    std::string text;
    for (const auto& [form, what] : command->forms) {
        AppendUsageLine(text, form, "");
    }
    text += '\n';
    text += command->details;
    if (name != "list" && name != "save") {
        text += std::string(kInputForms);
    }
    return text;
}

bool IsCommand(std::string_view command) {
    return FindCommand(command) != nullptr;
}

} // namespace moniquet
