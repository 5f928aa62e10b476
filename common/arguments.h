// The command line every program accepts: nothing (the program runs as always),
// "--help" or "--version".
#pragma once

#include <optional>

// Call first in main. Without arguments returns nothing, having touched no stream.
// "--help" prints `help` (what the program does and which files of the current
// folder it reads and writes) and the options; "--version" prints "<name> <version>";
// both return 0. Anything else gets one German line on standard error and returns 2.
std::optional<int> handleArguments(int argc, char** argv, const char* name, const char* help);

// The project's version, e.g. "1.0.0".
const char* programVersion();
