// The one option of info: --json, wherever it stands among the other
// arguments.
#pragma once

#include "cli/commands.h"

// Splits `args` into the --json flag and the other arguments, in order.
// Returns false for a command line to refuse with the usage: any other
// argument that starts with '-' (except "-" alone, standard input), or
// --json given twice.
bool SplitJsonOption(const Arguments& args, bool& json, Arguments& operands);
