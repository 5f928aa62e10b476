// The start and the end of every program: --help and --version answer and end with
// status 0, anything else is refused with one line on standard error and status 2; none
// of them starts the program proper, so no file appears and no input is read. Without an
// argument the program runs, and standard output that cannot be written ends it with
// one line on standard error and status 1.
#include "transcript.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

enum class Answer { help, version, refusal, writeError };

struct Row {
    const char* name;
    const char* argument; // none: the program proper runs
    Answer answer;
    int status;
    const char* output; // where standard output goes; none: into the transcript
};

const Row kRows[] = {
    {"help", "--help", Answer::help, 0, nullptr},
    {"version", "--version", Answer::version, 0, nullptr},
    {"hilfe", "--hilfe", Answer::refusal, 2, nullptr},
    {"devfull", nullptr, Answer::writeError, 1, "/dev/full"},
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

const std::string kPrograms[] = {"datenbank",   "queenboard", "labyrinth",  "linkdemo",
                                 "numbermaker", "sorttimer",  "sortcounter"};

class ArgumentsTranscript : public testing::TestWithParam<std::tuple<std::string, Row>> {};

TEST_P(ArgumentsTranscript, AnswersOrRunsAndEndsWithItsStatus) {
    const auto& [name, row] = GetParam();
    // Beyond POSIX: /dev/full is Linux's device whose every write fails.
    if (row.output && !std::filesystem::exists(row.output)) GTEST_SKIP() << "needs " << row.output;
    transcript::Options options;
    if (row.argument) options.arguments = {row.argument};
    if (row.output) options.output = row.output;
    // A file for the sorting programs, so that they sort and end with status 0 when
    // started; a started program's own files are none of this test's business.
    if (!row.argument) options.files["tosort.txt"] = "3\n\n3\n1\n2\n";
    // Input a started program acts on: a menu key, a size, Enter.
    const auto r = transcript::run(transcript::program(name), "b\n4 4\n\r", options);

    // numbermaker prints nothing when it runs, so its output cannot fail.
    const bool silent = !row.argument && name == "numbermaker";
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, silent ? 0 : row.status);
    if (row.argument) {
        EXPECT_TRUE(r.files.empty()) << r.files.begin()->first;
    }
    switch (row.answer) {
    case Answer::help:
        EXPECT_NE(r.out.find(name), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Dateien"), std::string::npos) << r.out;
        EXPECT_TRUE(r.out.ends_with(transcript::lines("\n"))) << r.out;
        EXPECT_EQ(r.err, "");
        break;
    case Answer::version:
        EXPECT_EQ(r.out, transcript::lines(name + " " + PROGRAM_VERSION + "\n"));
        EXPECT_EQ(r.err, "");
        break;
    case Answer::refusal:
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(row.argument), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.err.ends_with('\n')) << r.err;
        break;
    case Answer::writeError:
        EXPECT_EQ(r.err, silent ? ""
                                : transcript::lines(
                                      name + ": Fehler beim Schreiben der Standardausgabe\n"));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(AllPrograms, ArgumentsTranscript,
                         testing::Combine(testing::ValuesIn(kPrograms), testing::ValuesIn(kRows)),
                         [](const auto& info) {
                             return std::get<0>(info.param) + "_" + std::get<1>(info.param).name;
                         });

} // namespace
