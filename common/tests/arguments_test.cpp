// The command line of every program: --help and --version answer and end with status 0,
// anything else is refused with one line on standard error and status 2. None of them
// starts the program proper, so no file appears and no input is read.
#include "transcript.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

enum class Answer { help, version, refusal };

struct Row {
    const char* argument;
    Answer answer;
    int status;
};

const Row kRows[] = {
    {"--help", Answer::help, 0},
    {"--version", Answer::version, 0},
    {"--hilfe", Answer::refusal, 2},
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.argument;
}

const std::string kPrograms[] = {"datenbank",   "queenboard", "labyrinth",  "linkdemo",
                                 "numbermaker", "sorttimer",  "sortcounter"};

class ArgumentsTranscript : public testing::TestWithParam<std::tuple<std::string, Row>> {};

TEST_P(ArgumentsTranscript, AnswersWithoutStartingTheProgram) {
    const auto& [name, row] = GetParam();
    transcript::Options options;
    options.arguments = {row.argument};
    // Input a started program would act on: a menu key, a size, Enter.
    const auto r = transcript::run(transcript::program(name), "b\n4 4\n\r", options);

    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, row.status);
    EXPECT_TRUE(r.files.empty()) << r.files.begin()->first;
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
    }
}

INSTANTIATE_TEST_SUITE_P(AllPrograms, ArgumentsTranscript,
                         testing::Combine(testing::ValuesIn(kPrograms), testing::ValuesIn(kRows)),
                         [](const auto& info) {
                             std::string argument = std::get<1>(info.param).argument + 2;
                             return std::get<0>(info.param) + "_" + argument;
                         });

} // namespace
