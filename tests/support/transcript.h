// Runs a built program the way a user would script it: in a fresh temporary
// folder holding the given files, with the given bytes on standard input, and
// collects the exact bytes of standard output and every file left behind.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace transcript {

using Files = std::map<std::string, std::string>;

struct Result {
    std::string out; // standard output, byte for byte
    std::string err; // standard error
    int status = -1; // exit status, or 128 + signal number
    bool timedOut = false;
    Files files; // every regular file in the folder afterwards, by name (links are not followed)
};

struct Options {
    Files files{};                                               // written before the run
    std::function<void(const std::filesystem::path&)> prepare{}; // extra set-up of the folder
    int timeoutSeconds = 60;                                     // then the program is killed
    std::vector<std::string> arguments{};                        // the command line after the name
    std::vector<std::string> environment{}; // changes to the test's environment, see environment()
    std::string output{}; // when set, standard output goes to this file ("/dev/full"), not to out
};

// The path of a built program by target name ("datenbank"). The environment
// variables TRANSCRIPT_PROGRAMS and TRANSCRIPT_SUFFIX override the build folder
// and the file suffix, so the same tests can run other builds of the programs.
std::string program(const std::string& name);

// The file a launcher's name stands for, as a shell finds it: the name itself where it
// holds a '/', else the first executable file of that name in a folder of PATH (the
// name unchanged where there is none, so that starting it fails).
std::string commandPath(const std::string& name);

// Runs the program with standard input from `input`. When TRANSCRIPT_LAUNCHER
// is set (e.g. "wine"), it is run through that launcher.
Result run(const std::string& exe, const std::string& input, const Options& options = {});

// The bytes a program writes for "\n" on the platform under test: "\n", or "\r\n"
// when TRANSCRIPT_CRLF is set. Use it to build expected output.
std::string lines(const std::string& text);

// This process's environment with `changes` made, for a program a test starts:
// "NAME=value" sets a variable, a bare "NAME" removes it.
std::vector<std::string> environment(const std::vector<std::string>& changes);

// `length` bytes drawn from `alphabet` by a generator seeded with `seed`: input that is
// only noise, the same in every run.
std::string noise(unsigned seed, std::size_t length, const std::string& alphabet);

// Whether the programs under test are Windows builds, known by TRANSCRIPT_SUFFIX
// being ".exe" (whatever launcher runs them). Only for the few behaviours that
// genuinely differ between the platforms' C libraries and file systems; line
// ends are lines()'s business.
bool windows();

} // namespace transcript
