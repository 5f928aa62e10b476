// The start of every program: its command line ("--help", "--version" or nothing),
// then the console's set-up for the run.
#pragma once

#include <optional>

namespace console {

// Call first in main. Without arguments sets up the console (see setup()) and returns
// nothing: the program proper runs. "--help" prints `help` (what the program `name`
// does and which files of the current folder it reads and writes) and the options;
// "--version" prints "<name> <version>"; both return 0. Anything else gets one German
// line on standard error and returns 2.
std::optional<int> start(int argc, char** argv, const char* name, const char* help);

} // namespace console
