// Placeholder until the inventory lands: list and save are not built yet.
#include "cli/commands.h"

int RunList(const Arguments&) {
    return PrintUsage();
}
int RunSave(const Arguments&) {
    return PrintUsage();
}
