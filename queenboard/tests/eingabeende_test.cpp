// queenboard when its input ends at each question or at the final key wait (a question
// ends the program at once with status 0, a wait simply ends), and input that is only
// noise: the program reads it to its end and stops by itself.
#include "transcript.h"

#include <gtest/gtest.h>
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
        const auto r = lauf("queenboard", transcript::noise(seed, 20000, "abc,;- \n\t\r+"));
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.ends_with(kDimensions) || r.out.ends_with(kQueenCount));
    }
}

} // namespace
