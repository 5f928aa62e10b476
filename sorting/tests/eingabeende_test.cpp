// sorttimer and sortcounter when their input ends at the final key wait: the wait simply
// ends, so the output is the same as with a key pressed.
#include "transcript.h"

#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

transcript::Result lauf(const std::string& programm, const std::string& keys,
                        const transcript::Files& files = {}) {
    transcript::Options o;
    o.files = files;
    o.timeoutSeconds = 30;
    auto r = transcript::run(transcript::program(programm), keys, o);
    EXPECT_FALSE(r.timedOut) << programm;
    EXPECT_EQ(r.err, "") << programm;
    return r;
}

const std::string kToSort = "5\n\n3\n1\n2\n5\n4\n";

TEST(EndOfInputSorting, SorttimersKeyWaitJustEnds) {
    const auto r = lauf("sorttimer", "", {{"tosort.txt", kToSort}});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(std::regex_match(r.out, std::regex("Einlesen: [0-9.]+ sec\nSortieren: [0-9.]+ sec\n"
                                                   "Schreiben: [0-9.]+ sec\nInsgesammt: [0-9.]+ "
                                                   "sec\n")))
        << r.out;
    EXPECT_EQ(r.files.at("sorted.txt"), "1\n2\n3\n4\n5\n");
}

TEST(EndOfInputSorting, SortcountersKeyWaitJustEnds) {
    const auto ohneTaste = lauf("sortcounter", "", {{"tosort.txt", kToSort}});
    const auto mitTaste = lauf("sortcounter", "\r", {{"tosort.txt", kToSort}});
    EXPECT_EQ(ohneTaste.status, 0);
    EXPECT_EQ(ohneTaste.out, mitTaste.out);
    EXPECT_TRUE(
        std::regex_match(ohneTaste.out, std::regex("\n [0-9]+ mal unterprogramm aufgerufen\n")))
        << ohneTaste.out;
}

TEST(EndOfInputSorting, TheWaitAfterAMissingFileJustEnds) {
    for (const char* programm : {"sorttimer", "sortcounter"}) {
        const auto r = lauf(programm, "");
        EXPECT_EQ(r.status, 1) << programm;
        EXPECT_EQ(r.out, "Fehler beim Oeffnen der Datei tosort.txt!\n") << programm;
    }
}

// Found by fuzzing the reading of "tosort.txt".
TEST(NumberFiles, OnlyAWholeIntegerIsReadWhateverItsLength) {
    using namespace std::string_literals;
    // A NUL byte ends no token: "1\0" is not an integer, so the reading ends before it.
    auto r = lauf("sorttimer", "\n", {{"tosort.txt", "3\n\n3 1\0 2\n"s}});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.files.at("sorted.txt"), "3\n");
    // Leading zeros make no integer too long.
    r = lauf("sorttimer", "\n", {{"tosort.txt", "3\n\n3 000000000000000000001 2\n"}});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.files.at("sorted.txt"), "1\n2\n3\n");
}

} // namespace
