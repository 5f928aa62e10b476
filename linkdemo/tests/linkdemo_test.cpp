// linkdemo end to end: its whole trace, then a key or the end of input ends it.
#include "transcript.h"

#include <gtest/gtest.h>

namespace {

const std::string kSpur = transcript::lines("1 einfuegen\n"
                                            "2 einfuegen\n"
                                            "3 einfuegen\n"
                                            "\n"
                                            "Liste ausgeben:\n"
                                            "liste[0] = 1\n"
                                            "liste[1] = 2\n"
                                            "liste[2] = 3\n"
                                            "Erfolg! 3 wurde 1 mal geloescht!\n"
                                            "\n"
                                            "Liste ausgeben:\n"
                                            "liste[0] = 1\n"
                                            "liste[1] = 2\n");

TEST(LinkdemoTranscript, PrintsTheTraceThenEndsOnAKeyOrEndOfInput) {
    for (const char* eingabe : {"x", ""}) {
        const auto lauf = transcript::run(transcript::program("linkdemo"), eingabe);
        EXPECT_EQ(lauf.out, kSpur) << '"' << eingabe << '"';
        EXPECT_EQ(lauf.status, 0);
        EXPECT_FALSE(lauf.timedOut);
        EXPECT_EQ(lauf.err, "");
        EXPECT_TRUE(lauf.files.empty());
    }
}

} // namespace
