// labyrinth when its input ends at the size question or at a key wait (a question ends
// the program at once with status 0, a wait simply ends), and input that is only noise.
#include "transcript.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

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
        const auto r = lauf("labyrinth", transcript::noise(seed, 20000, "0123456789,x- \n"),
                            {{"labyrint.def", kMaze}});
        EXPECT_EQ(r.status, 0);
    }
}

} // namespace
