// The start and the end of every program: its command line ("--help", "--version" or
// nothing), the console's set-up for the run, and the check of standard output at its end.
#pragma once

#include <optional>

namespace console {

// Call first in main. Without arguments sets up the console (see setup()) and returns
// nothing: the program proper runs. "--help" prints `help` (what the program `name`
// does and which files of the current folder it reads and writes) and the options;
// "--version" prints "<name> <version>"; both end as finish(0) does. Anything else gets
// one German line on standard error and returns 2.
std::optional<int> start(int argc, char** argv, const char* name, const char* help);

// Call at every end of main with the exit status: standard output is flushed and, where
// it is no terminal, closed. When a write to it failed (a full disk, an error on close),
// one German line goes to standard error and the status is 1; else it is `status`.
int finish(int status);

} // namespace console
