// End of input at every question of queenboard, labyrinth and the sorting tools, and
// at their waits for a key: a question ends the program at once with status 0, a wait
// simply ends, so the output is the same as with a key pressed. Plus input that is
// nothing but noise: every program reads it to its end and stops by itself.
#include "transcript.h"

#include <gtest/gtest.h>
#include <random>
#include <regex>
#include <string>

namespace {

transcript::Options optionen(const transcript::Files& files, int timeout = 60) {
    transcript::Options o;
    o.files = files;
    o.timeoutSeconds = timeout;
    return o;
}

transcript::Result lauf(const std::string& programm, const std::string& keys,
                        const transcript::Files& files = {}) {
    auto r = transcript::run(transcript::program(programm), keys, optionen(files, 30));
    EXPECT_FALSE(r.timedOut) << programm;
    EXPECT_EQ(r.err, "") << programm;
    return r;
}

// Bytes with no end of line in a useful place: letters, digits, signs, commas, blanks.
std::string rauschen(unsigned seed, std::size_t laenge, const std::string& zeichen) {
    std::mt19937 zufall(seed);
    std::string out;
    for (std::size_t i = 0; i < laenge; ++i) out += zeichen[zufall() % zeichen.size()];
    return out;
}

// ---- queenboard ----------------------------------------------------------------------

const std::string kQueenTitle = "\t\t\tQueenboard\n\n";
const std::string kDimensions = "\tBitte Dimensionen eingeben! (Zeile, Spalte)\n";
const std::string kQueenCount = "\tBitte Anzahl der Damen eingeben:\n";

TEST(EndOfInputQueenboard, AtTheDimensionQuestion) {
    const auto r = lauf("queenboard", "");
    EXPECT_EQ(r.out, kQueenTitle + kDimensions);
    EXPECT_EQ(r.status, 0);
}

TEST(EndOfInputQueenboard, AtTheDimensionQuestionAskedAgain) {
    const auto r = lauf("queenboard", "x\n");
    EXPECT_EQ(r.out.substr(0, kQueenTitle.size() + kDimensions.size()), kQueenTitle + kDimensions);
    EXPECT_TRUE(r.out.ends_with(kDimensions));
    EXPECT_EQ(r.status, 0);
}

TEST(EndOfInputQueenboard, AtTheQueenCountQuestion) {
    const auto r = lauf("queenboard", "4 4\n");
    EXPECT_EQ(r.out, kQueenTitle + kDimensions + kQueenCount);
    EXPECT_EQ(r.status, 0);
}

TEST(EndOfInputQueenboard, TheFinalKeyWaitJustEnds) {
    const auto ohneTaste = lauf("queenboard", "4 4\n4");
    const auto mitTaste = lauf("queenboard", "4 4\n4\n");
    EXPECT_EQ(ohneTaste.status, 0);
    EXPECT_EQ(ohneTaste.out, mitTaste.out);
    EXPECT_GT(ohneTaste.out.size(), (kQueenTitle + kDimensions + kQueenCount).size());
}

TEST(NoiseQueenboard, EndsWhenTheInputEnds) {
    // No digits, so no board is ever searched: every answer is refused and asked again.
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const auto r = lauf("queenboard", rauschen(seed, 20000, "abc,;- \n\t\r+"));
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.ends_with(kDimensions) || r.out.ends_with(kQueenCount));
    }
}

// ---- labyrinth -----------------------------------------------------------------------

const std::string kMazeTitle = "\n\t\t\tLabyrinth\n\n";
const std::string kSize = "\tWie gross soll das Labyrinth werden? (zeile,spalte)\n";
const std::string kMaze = "0011\n1001\n1101\n1100\n";

TEST(EndOfInputLabyrinth, AtTheSizeQuestion) {
    const auto r = lauf("labyrinth", "", {{"labyrint.def", kMaze}});
    EXPECT_EQ(r.out, kMazeTitle + kSize);
    EXPECT_EQ(r.status, 0);
}

TEST(EndOfInputLabyrinth, AtTheSizeQuestionAskedAgain) {
    // A size out of range, and a maze file that does not exist.
    for (const auto& [keys, files] :
         {std::pair<std::string, transcript::Files>{"0,4\n", {{"labyrint.def", kMaze}}},
          std::pair<std::string, transcript::Files>{"4,4\n", {}}}) {
        const auto r = lauf("labyrinth", keys, files);
        EXPECT_TRUE(r.out.starts_with(kMazeTitle + kSize)) << keys;
        EXPECT_TRUE(r.out.ends_with(kSize)) << keys;
        EXPECT_GT(r.out.size(), (kMazeTitle + kSize + kSize).size()) << keys;
        EXPECT_EQ(r.status, 0);
    }
}

TEST(EndOfInputLabyrinth, TheKeyWaitsBeforeAndAfterTheSearchJustEnd) {
    const auto ohneTaste = lauf("labyrinth", "4,4", {{"labyrint.def", kMaze}});
    const auto mitTasten = lauf("labyrinth", "4,4\n\n", {{"labyrint.def", kMaze}});
    EXPECT_EQ(ohneTaste.status, 0);
    EXPECT_EQ(ohneTaste.out, mitTasten.out);
    EXPECT_NE(ohneTaste.out.find("Weg gefunden"), std::string::npos);
}

TEST(NoiseLabyrinth, EndsWhenTheInputEnds) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const auto r =
            lauf("labyrinth", rauschen(seed, 20000, "0123456789,x- \n"), {{"labyrint.def", kMaze}});
        EXPECT_EQ(r.status, 0);
    }
}

// ---- the sorting tools and linkdemo: only a final key wait --------------------------

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

TEST(EndOfInputLinkdemo, TheKeyWaitJustEnds) {
    const auto ohneTaste = lauf("linkdemo", "");
    const auto mitTaste = lauf("linkdemo", "x");
    EXPECT_EQ(ohneTaste.status, 0);
    EXPECT_EQ(ohneTaste.out, mitTaste.out);
    EXPECT_NE(ohneTaste.out.find("liste[0] = 1"), std::string::npos);
}

} // namespace
